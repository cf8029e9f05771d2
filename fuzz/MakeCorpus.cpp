// Writes the seed corpus of the fuzz targets, all made by the program's own writer and
// encoder and recorded from the virtual unit:
//
//     build-fuzz/fuzz/qolmex70-make-corpus fuzz/corpus
#include "ScriptedUnit.h"
#include "TransferRun.h"
#include "config/ConfigurationFile.h"
#include "sim/DemoConfiguration.h"
#include "sim/RecordingDialog.h"
#include "sim/VirtualHost.h"
#include "sim/VirtualUnit.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ImageEncoder.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace qolmex;

namespace {

// The virtual unit, with every answer it gives written down in the ScriptedUnit's form.
class Recorder : public D2xxLibrary {
public:
    explicit Recorder(VirtualUnit& unit) : unit_(unit) { script.assign(2, '\0'); }

    FT_STATUS FT_OpenEx(PVOID a, DWORD f, FT_HANDLE* h) override {
        return unit_.FT_OpenEx(a, f, h);
    }
    FT_STATUS FT_Close(FT_HANDLE h) override { return unit_.FT_Close(h); }
    FT_STATUS FT_ResetDevice(FT_HANDLE h) override { return unit_.FT_ResetDevice(h); }
    FT_STATUS FT_SetBaudRate(FT_HANDLE h, ULONG b) override { return unit_.FT_SetBaudRate(h, b); }
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE h, UCHAR w, UCHAR s, UCHAR p) override {
        return unit_.FT_SetDataCharacteristics(h, w, s, p);
    }
    FT_STATUS FT_SetFlowControl(FT_HANDLE h, USHORT f, UCHAR on, UCHAR off) override {
        return unit_.FT_SetFlowControl(h, f, on, off);
    }
    FT_STATUS FT_SetTimeouts(FT_HANDLE h, ULONG r, ULONG w) override {
        return unit_.FT_SetTimeouts(h, r, w);
    }
    FT_STATUS FT_Read(FT_HANDLE h, LPVOID buffer, DWORD n, LPDWORD got) override {
        const FT_STATUS status = unit_.FT_Read(h, buffer, n, got);
        fuzz::ScriptedUnit::recordRead(script, {static_cast<const char*>(buffer), *got});
        return status;
    }
    FT_STATUS FT_Write(FT_HANDLE h, LPVOID buffer, DWORD n, LPDWORD sent) override {
        const FT_STATUS status = unit_.FT_Write(h, buffer, n, sent);
        fuzz::ScriptedUnit::recordWrite(script, status != FT_OK);
        return status;
    }
    FT_STATUS FT_GetQueueStatus(FT_HANDLE h, DWORD* n) override {
        return unit_.FT_GetQueueStatus(h, n);
    }
    FT_STATUS FT_GetDeviceInfo(FT_HANDLE h, FT_DEVICE* t, LPDWORD id, PCHAR s, PCHAR d,
                               LPVOID x) override {
        return unit_.FT_GetDeviceInfo(h, t, id, s, d, x);
    }

    std::string script; // Storno never, no bridge faults, then the answers
private:
    VirtualUnit& unit_;
};

enum class Kind { Read, Send };

std::string record(Kind kind, const UnitFaults& faults) {
    VirtualClock clock;
    VirtualUnit unit(clock, faults);
    storeInUnit(demoConfiguration(), unit);
    Recorder recorder(unit);
    TransferState state;
    VirtualHost host(clock, state);
    RecordingDialog dialog(state, host);
    DeviceConnection connection(recorder, state, [](const std::string&) {});
    if (kind == Kind::Read) {
        Configuration config;
        ReadSequence(state, connection, dialog, host).run(config);
    } else {
        SendSequence(state, connection, dialog, host, [] {
            return LocalDateTime{2011, 3, 5, 7, 9};
        }).run(demoConfiguration());
    }
    return recorder.script;
}

std::string framed(const std::vector<Block>& blocks) {
    std::string frames;
    for (const Block& b : blocks) {
        frames += static_cast<char>(b.address >> 8);
        frames += static_cast<char>(b.address & 0xFF);
        frames.append(b.data.begin(), b.data.end());
    }
    return frames;
}

void put(const std::filesystem::path& folder, const std::string& name, const std::string& bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const Configuration demo = demoConfiguration();

    const std::string demoFile = ConfigurationFile::render(demo, "");
    const std::string freshFile = ConfigurationFile::render(Configuration(), "");
    const std::string foreign = "; kept by hand\r\n[Poznamky]\r\nmiesto=garaz\r\n[tcv]\r\n"
                                "EDITTCV1_1 = \"0905111222\"\r\nvlastny=1\r\n\r\n[POV]\r\n"
                                "editPOV1_1=0903000000\r\neditPOV1_1=dvakrat\r\n[TCV]\r\nx=y";
    for (const char* target : {"open", "save"}) {
        put(root / target, "demo.kvx", demoFile);
        put(root / target, "fresh.kvx", freshFile);
        put(root / target, "foreign.kvx", foreign);
        put(root / target, "foreign-saved.kvx", ConfigurationFile::render(demo, foreign));
    }

    const VirtualUnit::Memory memory = unitMemoryOf(demo);
    put(root / "frames", "demo.img", std::string(memory.begin(), memory.end()));
    put(root / "frames", "demo-frames", framed(encodeImage(demo)));
    put(root / "frames", "blank.img", std::string(VirtualUnit::memorySize, '\xFF'));

    put(root / "read", "healthy", record(Kind::Read, {}));
    put(root / "read", "reordered", record(Kind::Read, {.framesOutOfOrder = true}));
    put(root / "read", "torn", record(Kind::Read, {.splitFrame = 5u}));
    put(root / "read", "blank", record(Kind::Read, {.blankMemory = true}));
    put(root / "read", "wrong-identity", record(Kind::Read, {.wrongIdentity = true}));
    put(root / "send", "healthy", record(Kind::Send, {}));
    put(root / "send", "echo-faults",
        record(Kind::Send, {.corruptEchoEvery = 7, .shortEchoEvery = 5}));
    put(root / "send", "stall", record(Kind::Send, {.stallAfterFrames = 200u}));
    put(root / "send", "unplug", record(Kind::Send, {.unplugAfterFrames = 100u}));
    return 0;
}

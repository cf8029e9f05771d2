#include "sim/DemoConfiguration.h"
#include "sim/ReplayUnit.h"
#include "sim/VirtualUnit.h"
#include "support/SequenceRun.h"
#include "transfer/TransferTexts.h"
#include "usb/TracingD2xx.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace qolmex {
namespace {

using testing::SequenceRun;

std::vector<trace::Event> eventsOf(std::istream& in) {
    trace::ParsedTrace parsed = trace::parse(in);
    EXPECT_EQ(parsed.error, "");
    return std::move(parsed.events);
}

std::vector<trace::Event> storedTrace(const std::string& name) {
    std::ifstream in(std::string(TRACES_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return eventsOf(in);
}

// The bytes a program wrote, as its trace lists them, write by write.
std::vector<std::string> writesOf(const std::vector<trace::Event>& events) {
    std::vector<std::string> writes;
    for (const trace::Event& e : events)
        if (e.kind == trace::Event::Kind::Write)
            writes.push_back(e.bytes);
    return writes;
}

std::string differencesOf(const ReplayUnit& unit) {
    std::string all;
    for (const auto& d : unit.differences())
        all += d.text + "\n";
    return all;
}

// A trace replayed to the program, which is traced in turn: what it sent can be compared
// with what the recorded program sent.
class Replay : public ::testing::Test {
protected:
    void play(std::vector<trace::Event> events) {
        unit = std::make_unique<ReplayUnit>(clock, std::move(events));
        traced = std::make_unique<TracingD2xx>(*unit, replayed, [this] { return clock.now(); });
        run = std::make_unique<SequenceRun>(*traced, clock);
    }
    std::vector<trace::Event> replayedEvents() {
        std::istringstream in(replayed.str());
        return eventsOf(in);
    }

    VirtualClock clock;
    std::ostringstream replayed;
    std::unique_ptr<ReplayUnit> unit;
    std::unique_ptr<TracingD2xx> traced;
    std::unique_ptr<SequenceRun> run;
};

TEST_F(Replay, ARecordedSendWithACorruptedEchoEndsAsItDidAndResendsTheSameBlock) {
    const std::vector<trace::Event> recorded = storedTrace("send-corrupted-echo.trace");
    play(recorded);
    EXPECT_EQ(run->send(demoConfiguration()), "ok");
    unit->finish();
    EXPECT_EQ(differencesOf(*unit), "");
    EXPECT_EQ(writesOf(replayedEvents()), writesOf(recorded)); // the resend included
    // In the trace's timing: the recorded Send took 9.763 s. The program recorded then did
    // its window's work (1 ms a pump here) before each frame, this one while the frame is on
    // the line: 256 blocks, 0.256 s less.
    EXPECT_NEAR(std::chrono::duration<double>(clock.now()).count(), 9.763 - 0.256, 0.05);
}

TEST_F(Replay, ARecordedReadThatStallsGivesUpAsItDidWithTheFramesThatCame) {
    play(storedTrace("read-stall.trace"));
    Configuration read;
    EXPECT_EQ(run->read(read), texts::unitStopped);
    unit->finish();
    EXPECT_EQ(differencesOf(*unit), "");
    EXPECT_EQ(read.text("editPOV1_1"), demoConfiguration().text("editPOV1_1"));
}

TEST_F(Replay, AProgramThatSendsOtherBytesIsToldWhereAndStillMeetsTheTracedUnit) {
    play(storedTrace("send-corrupted-echo.trace"));
    Configuration changed = demoConfiguration();
    changed.setText("editPOV1_2", "+421907654329"); // block 16, its last digit
    EXPECT_EQ(run->send(changed), "ok");
    ASSERT_FALSE(unit->differences().empty());
    const auto& first = unit->differences().front();
    EXPECT_EQ(first.line, 17u); // "> 18/18 00 10 0D 2B ..."
    EXPECT_NE(first.text.find("program poslal 39, záznam má 31"), std::string::npos) << first.text;
}

TEST_F(Replay, AProgramThatDoesSomethingElseOrStopsEarlyIsTold) {
    play(storedTrace("send-corrupted-echo.trace"));
    // A Read where the trace has a Send: 0x60 instead of 0xAA, then Storno.
    run->host.onPump = [this] {
        if (run->host.pumps > 200 && run->dialog.stornoOffered())
            run->dialog.btnCancelClick();
    };
    Configuration read;
    run->read(read);
    EXPECT_NE(differencesOf(*unit).find("program poslal 60, záznam má AA"), std::string::npos)
        << differencesOf(*unit);

    play(storedTrace("read-stall.trace"));
    TransferState state;
    DeviceConnection connection(*unit, state, [](const std::string&) {});
    connection.Connect();
    connection.Disconnect();
    unit->finish();
    const std::string all = differencesOf(*unit);
    EXPECT_NE(all.find("program zatvoril prevodník po 0 odoslaných bajtoch, záznam ich má 42"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("záznam má ešte výsledok „Zariadenie prestalo odpovedať"), std::string::npos)
        << all;
}

// Record against the virtual unit with a fault, replay, and the program ends the same way.
struct RoundTrip {
    const char* name;
    UnitFaults faults;
    bool send;
};

void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class RecordAndReplay : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RecordAndReplay, EndsAsTheRecordedTransferWithoutADifference) {
    const RoundTrip& c = GetParam();
    VirtualClock recordClock;
    VirtualUnit unit(recordClock, c.faults, UnitPacing{.atBaudRate = true});
    storeInUnit(demoConfiguration(), unit);
    std::stringstream recording;
    TracingD2xx tracer(unit, recording, [&] { return recordClock.now(); });
    SequenceRun recordRun(tracer, recordClock);
    Configuration recordedRead;
    const std::string verdict =
        c.send ? recordRun.send(demoConfiguration()) : recordRun.read(recordedRead);

    VirtualClock clock;
    ReplayUnit replay(clock, eventsOf(recording));
    SequenceRun run(replay, clock);
    Configuration replayedRead;
    EXPECT_EQ(c.send ? run.send(demoConfiguration()) : run.read(replayedRead), verdict);
    replay.finish();
    EXPECT_EQ(differencesOf(replay), "");
    EXPECT_EQ(replayedRead, recordedRead);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RecordAndReplay,
    ::testing::Values(RoundTrip{"NoBridge", {.noDevice = true}, true},
                      RoundTrip{"WrongChip", {.wrongDeviceType = true}, false},
                      RoundTrip{"Silent", {.silence = true}, true},
                      RoundTrip{"ShortEchoes", {.shortEchoEvery = 7}, true},
                      RoundTrip{"UnpluggedMidSend", {.unplugAfterFrames = 30u}, true},
                      RoundTrip{"UnpluggedMidRead", {.unplugAfterFrames = 30u}, false},
                      RoundTrip{"TornFrame", {.splitFrame = 5u}, false},
                      RoundTrip{"StrayFrames", {.strayFrameAddress = 5000}, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(TraceLines, ReadBackAsWrittenWhateverTheyHold) {
    using trace::Event;
    std::vector<Event> events(6);
    events[0].kind = Event::Kind::Open;
    events[0].call = "FT_OpenEx";
    events[0].arguments = trace::openArguments(const_cast<char*>("a \"b\"\\\xe8"), 2);
    events[0].status = 99;
    events[1].kind = Event::Kind::DeviceInfo;
    events[1].call = "FT_GetDeviceInfo";
    events[1].type = 5;
    events[1].id = 0x04036001;
    events[1].serialNumber = "A|B";
    events[1].description = "FT232R USB UART";
    events[2].kind = Event::Kind::Read;
    events[2].wanted = 18;
    events[2].done = 3;
    events[2].bytes = std::string("\x00|\x7f", 3);
    events[3].kind = Event::Kind::Write;
    events[3].wanted = 2;
    events[3].status = FT_IO_ERROR;
    events[3].bytes = "\xaa\x1f";
    events[4].kind = Event::Kind::Verdict;
    events[4].verdict = "Prístup k portu bol odmietnutý.\nNainštalujte balík.";
    events[5].kind = Event::Kind::QueueStatus;
    events[5].call = "FT_GetQueueStatus";
    events[5].done = 7;
    std::string text;
    for (std::size_t i = 0; i < events.size(); ++i) {
        events[i].ms = 1000.25 * static_cast<double>(i);
        text += trace::formatLine(events[i]);
    }
    std::istringstream in(text);
    const std::vector<Event> back = eventsOf(in);
    ASSERT_EQ(back.size(), events.size()) << text;
    EXPECT_EQ(back[0].arguments, events[0].arguments);
    EXPECT_EQ(back[0].status, 99u);
    EXPECT_EQ(back[1].serialNumber, "A|B");
    EXPECT_EQ(back[1].id, 0x04036001u);
    EXPECT_EQ(back[2].bytes, events[2].bytes);
    EXPECT_EQ(back[3].bytes, events[3].bytes);
    EXPECT_EQ(back[3].status, FT_IO_ERROR);
    EXPECT_EQ(back[4].verdict, "Prístup k portu bol odmietnutý. Nainštalujte balík.");
    EXPECT_EQ(back[5].done, 7u);
    EXPECT_DOUBLE_EQ(back[5].ms, 5001.25);

    std::istringstream broken(text + "  12.000 < 3/2 00\n");
    EXPECT_NE(trace::parse(broken).error.find("riadku 7"), std::string::npos);
}

} // namespace
} // namespace qolmex

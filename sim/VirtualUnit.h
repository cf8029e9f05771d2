#pragma once
// The QOLMEX 70 as the programmer sees it through its FT232R bridge, behind
// the D2XX interface: "FT232R USB UART", device type 5. On open it sends its
// identity "QOLMEX70". 0xAA is answered by 16 bytes starting 0x06; from then
// on every 18-byte frame is stored and its 16 data bytes echoed. 0x60 is
// answered by 16 bytes starting 0x60; from then on every 0x1F brings the next
// frame of its memory, addresses 0 to 4080.
//
// The unit is single-threaded: it works out its answers when bytes are
// written and stamps each answer byte with the time it reaches the PC; a read
// waits (on the shared clock) until its count has arrived or its time-out
// has passed.

#include "sim/ArrivingBytes.h"
#include "sim/Clock.h"
#include "sim/UnitFaults.h"
#include "usb/D2xxLibrary.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qolmex {

struct UnitLineSettings {
    ULONG baudRate = 9600;
    UCHAR wordLength = FT_BITS_8;
    UCHAR stopBits = FT_STOP_BITS_1;
    UCHAR parity = FT_PARITY_NONE;
    USHORT flowControl = FT_FLOW_NONE;
    UCHAR xonChar = 0;
    UCHAR xoffChar = 0;
    ULONG readTimeoutMs = 0; // 0: no limit, as D2XX after opening
    ULONG writeTimeoutMs = 0;
};

class VirtualUnit : public D2xxLibrary {
public:
    static constexpr const char* description = "FT232R USB UART";
    static constexpr const char* defaultSerialNumber = "QX70VIRT";
    static constexpr const char* identity = "QOLMEX70";
    static constexpr std::size_t memorySize = 4096;
    static constexpr std::uint16_t clockBlockAddress = 32896;
    using Block = std::array<std::uint8_t, 16>;
    using Memory = std::array<std::uint8_t, memorySize>;

    explicit VirtualUnit(Clock& clock, UnitFaults faults = {}, UnitPacing pacing = {});

    void setFaults(const UnitFaults& faults) { faults_ = faults; }
    // Several units side by side tell themselves apart by it (at most 16 characters).
    void setSerialNumber(std::string serialNumber) { serialNumber_ = std::move(serialNumber); }
    const std::string& serialNumber() const { return serialNumber_; }
    const UnitFaults& faults() const { return faults_; }

    // The unit's memory; the clock block is kept apart from it.
    const Memory& memory() const { return memory_; }
    void preloadMemory(std::size_t offset, std::string_view bytes);
    void fillMemory(std::uint8_t value) { memory_.fill(value); }
    const Block& clockBlock() const { return clockBlock_; }
    bool clockBlockWritten() const { return clockBlockWritten_; }

    // What a test may want to check afterwards.
    const UnitLineSettings& lineSettings() const { return settings_; }
    const std::vector<std::uint16_t>& receivedFrameAddresses() const { return receivedAddresses_; }
    unsigned framesSent() const { return framesSent_; } // since the last open, like the fault counts
    unsigned successfulOpens() const { return successfulOpens_; }
    unsigned resets() const { return resets_; }
    bool isOpen() const { return open_; }
    bool unplugged() const { return unplugged_; }
    Clock::Duration latency() const { return latency_; }
    unsigned hangUps() const { return hangUps_; }

    FT_STATUS FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) override;
    FT_STATUS FT_Close(FT_HANDLE ftHandle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits,
                                        UCHAR Parity) override;
    FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                UCHAR XoffChar) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) override;
    FT_STATUS FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                      LPDWORD lpBytesReturned) override;
    FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                       LPDWORD lpBytesWritten) override;
    FT_STATUS FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) override;
    FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                               PCHAR SerialNumber, PCHAR Description, LPVOID Dummy) override;
    FT_STATUS FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) override;
    std::vector<BridgeEntry> listBridges() override;

private:
    enum class Mode { Idle, Writing, Reading };

    FT_STATUS check(FT_HANDLE handle) const;
    Clock::Duration byteTime() const;
    bool lineUnderstood() const;

    void receive(std::uint8_t byte, Clock::TimePoint at);
    void startAnswer(std::uint8_t first, Clock::TimePoint at);
    void storeFrame(Clock::TimePoint at);
    void sendNextFrame(Clock::TimePoint at);
    bool mayAnswerFrame();
    void transmit(std::string_view bytes, Clock::TimePoint at);
    Clock::TimePoint deliveredAt(Clock::TimePoint received) const;
    std::vector<std::uint16_t> readOutOrder() const;
    Block blockAt(std::uint16_t address) const;

    Clock& clock_;
    UnitFaults faults_;
    UnitPacing pacing_;
    std::string serialNumber_ = defaultSerialNumber;
    Memory memory_{};
    Block clockBlock_{};
    bool clockBlockWritten_ = false;

    bool open_ = false;
    bool unplugged_ = false;
    bool stalled_ = false;
    int handleToken_ = 0; // its address is the one handle we give out
    UnitLineSettings settings_;
    Mode mode_ = Mode::Idle;
    std::string frame_;                    // bytes of a written frame so far
    std::vector<std::uint16_t> readOut_;   // addresses still to send, in order
    std::size_t readOutNext_ = 0;
    ArrivingBytes toPc_;
    Clock::TimePoint pcLineFreeAt_{0};
    Clock::TimePoint unitLineFreeAt_{0};
    Clock::TimePoint openedAt_{0};

    std::vector<std::uint16_t> receivedAddresses_;
    unsigned blocksReceived_ = 0; // distinct blocks; a resend of the same address does not count
    unsigned framesSent_ = 0;
    unsigned openCalls_ = 0;
    unsigned successfulOpens_ = 0;
    unsigned resets_ = 0;
    unsigned hangUps_ = 0;
    Clock::Duration latency_{0};
};

} // namespace qolmex

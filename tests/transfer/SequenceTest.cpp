#include "sim/RandomConfiguration.h"
#include "SequenceFakes.h"
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "transfer/TransferTexts.h"
#include "usb/DeviceConnection.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

using namespace std::chrono_literals;

// Every list full and every text at its longest: the most a Send can carry.
Configuration fullConfiguration() {
    Configuration c;
    for (const FieldDef& f : fieldTable()) {
        if (f.kind == FieldKind::PhoneNumber || f.kind == FieldKind::DtmfCode)
            c.setText(f.name, "+4219" + std::to_string(100000000 + f.position * 7 + f.number));
        else if (f.kind == FieldKind::SmsText)
            c.setText(f.name, std::string(127, static_cast<char>('A' + f.number)));
    }
    c.setText("spinINTERVAL", "180");
    c.setText("spinCAS", "23");
    c.setText("SpinCASRELE1", "255");
    c.setText("SpinCASRELE2", "7");
    c.setText("spinKREDIT", "9");
    c.setText("spinDELAY1", "255");
    c.setText("spinDELAY2", "3");
    c.setChosen("rbVST1_2", true);
    return c;
}


class Sequences : public ::testing::Test {
protected:
    void send(const Configuration& c) {
        SendSequence sequence(state, connection, dialog, host, [this] { return when; });
        refused = sequence.run(c);
    }
    void read(Configuration& c) {
        ReadSequence sequence(state, connection, dialog, host);
        sequence.run(c);
    }
    void preload(const Configuration& c) { storeInUnit(c, unit); }
    // However a transfer ended: line closed, dialog gone, window usable.
    void expectIdle() {
        EXPECT_FALSE(dialog.visible);
        EXPECT_TRUE(host.mainEnabled);
        EXPECT_FALSE(state.DeviceConnected);
        EXPECT_EQ(state.UsbDevice, nullptr);
        EXPECT_FALSE(unit.isOpen());
    }
    void cancelAtPump(int n) {
        host.onPump = [this, n] {
            if (host.pumps == n)
                dialog.btnCancelClick();
        };
    }

    VirtualClock clock;
    VirtualUnit unit{clock};
    TransferState state;
    FakeHost host{clock, state};
    FakeDialog dialog{state, host};
    DeviceConnection connection{unit, state, [this](const std::string& m) { host.showMessage(m); }};
    LocalDateTime when{2011, 3, 5, 7, 9};
    std::optional<ValidationError> refused;
};

TEST_F(Sequences, SendWritesTheWholeImageThenTheClock) {
    const Configuration config = fullConfiguration();
    send(config);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
    EXPECT_EQ(unit.memory(), unitMemoryOf(config));
    const std::string clockText(unit.clockBlock().begin(), unit.clockBlock().end());
    EXPECT_EQ(clockText, std::string("11/03/05,07:09\0\0", 16));
    EXPECT_EQ(unit.receivedFrameAddresses().size(), 255u);
    EXPECT_EQ(dialog.caption, texts::sendCaption);
    EXPECT_EQ(dialog.labels,
              (std::vector<std::string>{texts::waitingLabel, texts::transferringLabel}));
    EXPECT_EQ(dialog.progress.front(), 0);
    EXPECT_EQ(dialog.progress.back(), 4080); // the clock block leaves the gauge alone
    EXPECT_EQ(config, fullConfiguration());
}

TEST_F(Sequences, ReadFillsEveryFieldFromTheUnit) {
    const Configuration stored = fullConfiguration();
    preload(stored);
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
    EXPECT_EQ(config, stored);
    EXPECT_EQ(dialog.caption, texts::readCaption);
    EXPECT_EQ(dialog.progress.back(), 4080);
}

TEST_F(Sequences, ReadKeepsOnlyTheLeadingRunOfAList) {
    Configuration stored;
    stored.setText("editPOV1_1", "111");
    stored.setText("editPOV1_2", "222");
    preload(stored);
    unit.preloadMemory(48, std::string("\x03"
                                       "444",
                                       4)); // position 4 after an empty 3
    Configuration config;
    read(config);
    EXPECT_EQ(config.text("editPOV1_2"), "222");
    EXPECT_TRUE(config.text("editPOV1_4").empty());
    EXPECT_FALSE(config.isEnabled("editPOV1_4"));
}

TEST_F(Sequences, ReadThenSendGivesTheUnitBackItsMemory) {
    RandomConfiguration random(42);
    const Configuration stored = random.make();
    preload(stored);
    Configuration config;
    read(config);
    unit.fillMemory(0);
    send(config);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(unit.memory(), unitMemoryOf(stored));
}

TEST_F(Sequences, AnInvalidFieldStopsSendBeforeTheLineOpens) {
    Configuration config;
    config.setText("SpinCASRELE1", "300");
    send(config);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->name, "SpinCASRELE1");
    EXPECT_EQ(unit.successfulOpens(), 0u);
    EXPECT_EQ(dialog.shows, 0);
    EXPECT_TRUE(host.messages.empty()); // the window words it
}

TEST_F(Sequences, NoBridgeIsToldByTheConnectionAlone) {
    unit.setFaults({.noDevice = true});
    send(Configuration());
    EXPECT_EQ(host.messages, std::vector<std::string>{DeviceConnection::msgNotConnected});
    EXPECT_EQ(dialog.shows, 0);
    expectIdle();
}

TEST_F(Sequences, EveryBridgeFaultEndsInItsMessageWithTheWindowUsable) {
    const std::pair<UnitFaults, const char*> cases[] = {
        {{.wrongDeviceType = true}, DeviceConnection::msgWrongDevice},
        {{.openFails = true}, DeviceConnection::msgOpenFailed},
        {{.deviceInfoFails = true}, DeviceConnection::msgDamagedChip},
    };
    for (const auto& [faults, message] : cases) {
        unit.setFaults(faults);
        host.messages.clear();
        Configuration config;
        read(config);
        EXPECT_EQ(host.messages, std::vector<std::string>{message});
        EXPECT_EQ(dialog.shows, 0);
        expectIdle();
    }
}

TEST_F(Sequences, AFailedResetIsToldAndTheTransferGoesOn) {
    unit.setFaults({.resetFails = true});
    const Configuration config = fullConfiguration();
    send(config);
    EXPECT_EQ(host.messages, std::vector<std::string>{DeviceConnection::msgResetError});
    EXPECT_EQ(unit.memory(), unitMemoryOf(config));
    expectIdle();
}

TEST_F(Sequences, ASilentUnitIsAWrongUnitAfterOneTimerTickEachTime) {
    unit.setFaults({.silence = true});
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto started = clock.now();
        Configuration config;
        read(config);
        EXPECT_GE(clock.now() - started, 2000ms);
        EXPECT_LE(clock.now() - started, 2000ms + 500ms); // plus at most the read under way
        expectIdle();
    }
    EXPECT_EQ(host.messages, (std::vector<std::string>{texts::wrongUnit, texts::wrongUnit}));
}

TEST_F(Sequences, AWrongIdentityIsAWrongUnit) {
    unit.setFaults({.wrongIdentity = true});
    send(fullConfiguration());
    EXPECT_EQ(host.messages, std::vector<std::string>{texts::wrongUnit});
    EXPECT_TRUE(unit.receivedFrameAddresses().empty());
    expectIdle();
}

TEST_F(Sequences, StornoDuringTheIdentityWaitTellsOfAWrongUnit) {
    unit.setFaults({.silence = true});
    cancelAtPump(2);
    send(fullConfiguration());
    EXPECT_EQ(host.messages, std::vector<std::string>{texts::wrongUnit});
    EXPECT_LT(clock.now(), 2000ms);
    expectIdle();
}

TEST_F(Sequences, StornoDuringTheStartWaitEndsSilently) {
    unit.setFaults({.noStartAnswer = true});
    cancelAtPump(6);
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(config, Configuration());
    expectIdle();
}

// Storno while the blocks move (only the command line offers it then) ends the loop at
// once instead of taking the cancel for a confirmed block and going on.
TEST_F(Sequences, StornoDuringTheBlocksStopsSendAndReadAtOnce) {
    cancelAtPump(40);
    send(fullConfiguration());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_LT(unit.receivedFrameAddresses().size(), 40u);
    EXPECT_FALSE(unit.clockBlockWritten());
    expectIdle();

    preload(fullConfiguration());
    const int before = host.pumps;
    cancelAtPump(before + 40);
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_LT(unit.framesSent(), 40u);
    expectIdle();
}

TEST_F(Sequences, EchoFaultsAreRetriedUntilTheBlockLands) {
    for (const UnitFaults faults :
         {UnitFaults{.corruptEchoEvery = 7}, UnitFaults{.shortEchoEvery = 5}}) {
        unit.setFaults(faults);
        unit.fillMemory(0);
        const Configuration config = fullConfiguration();
        send(config);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(unit.memory(), unitMemoryOf(config));
        EXPECT_GT(unit.receivedFrameAddresses().size(), 255u);
        expectIdle();
    }
}

// Every frame is taken whatever its place in the read-out; only the list rule, which runs as
// each position arrives, keeps a list that comes from its end no further than position 1.
TEST_F(Sequences, ReorderedFramesAreEachTakenAtTheirAddress) {
    Configuration stored = fullConfiguration();
    unit.setFaults({.framesOutOfOrder = true});
    preload(stored);
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    expectIdle();
    for (const NumberList& list : numberLists)
        stored.setText(stored.position(list.id, 2), "");
    EXPECT_EQ(config, stored);
}

// A frame torn across two reads is dropped whole, and the unit, still waiting for its
// acknowledgement, sends nothing more: the read ends as for a unit that stopped.
TEST_F(Sequences, AFrameTornAcrossTwoReadsEndsTheReadWithItsMessage) {
    unit.setFaults({.splitFrame = 3u});
    preload(fullConfiguration());
    Configuration config;
    read(config);
    EXPECT_EQ(host.messages, std::vector<std::string>{texts::unitStopped});
    EXPECT_EQ(config.text("editPOV1_2"), fullConfiguration().text("editPOV1_2"));
    expectIdle();
}

TEST_F(Sequences, AStrayHighFrameEndsTheReadWithWhatCameSoFar) {
    unit.setFaults({.strayFrameAddress = std::uint16_t{5000}});
    preload(fullConfiguration());
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(config.text("editPOV1_1"), fullConfiguration().text("editPOV1_1"));
    EXPECT_TRUE(config.text("editPOV1_2").empty());
    expectIdle();
}

TEST_F(Sequences, BlankUnitMemoryReadsWithoutHarm) {
    unit.setFaults({.blankMemory = true});
    Configuration config;
    read(config);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(config.text("editPOV1_1").size(), 15u);
    EXPECT_EQ(config.text("memoSMSV1").size(), 127u);
    expectIdle();
}

// A fresh unit for each case: an unplugged one stays unplugged.
class StoppingUnit : public Sequences,
                     public ::testing::WithParamInterface<std::tuple<UnitFaults, bool>> {};

// A stalled unit is given up after ten seconds without progress; a pulled cable at once.
TEST_P(StoppingUnit, IsGivenUpWithItsMessage) {
    const auto& [faults, sending] = GetParam();
    unit.setFaults(faults);
    preload(fullConfiguration());
    Configuration config;
    Clock::TimePoint lastFrameAt{};
    host.onPump = [&] {
        if (!unit.unplugged())
            lastFrameAt = clock.now();
    };
    if (sending)
        send(fullConfiguration());
    else
        read(config);
    if (faults.unplugAfterFrames) {
        EXPECT_EQ(host.messages, std::vector<std::string>{texts::unplugged});
        EXPECT_LT(clock.now() - lastFrameAt, std::chrono::seconds(1));
    } else {
        EXPECT_EQ(host.messages, std::vector<std::string>{texts::unitStopped});
    }
    expectIdle();
    if (!sending) { // every frame that came stays, the last one too, even when unacknowledged
        const unsigned frames = faults.stallAfterFrames ? *faults.stallAfterFrames
                                                        : *faults.unplugAfterFrames;
        const auto last = listPositionAt(static_cast<std::uint16_t>((frames - 1) * 16));
        ASSERT_TRUE(last);
        const FieldId lastTaken = config.position(last->list, last->position);
        EXPECT_EQ(config.text("editPOV1_1"), fullConfiguration().text("editPOV1_1"));
        EXPECT_EQ(config.text(lastTaken), fullConfiguration().text(lastTaken));
        EXPECT_TRUE(config.text(config.position(last->list, last->position + 1)).empty());
    }
}

INSTANTIATE_TEST_SUITE_P(StallAndUnplug, StoppingUnit,
                         ::testing::Combine(::testing::Values(UnitFaults{.stallAfterFrames = 100u},
                                                              UnitFaults{.unplugAfterFrames = 60u}),
                                            ::testing::Bool()),
                         [](const auto& param) {
                             const bool stall =
                                 std::get<0>(param.param).stallAfterFrames.has_value();
                             return std::string(stall ? "Stall" : "Unplug") +
                                    (std::get<1>(param.param) ? "DuringSend" : "DuringRead");
                         });

} // namespace
} // namespace qolmex

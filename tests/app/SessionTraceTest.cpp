#include "app/SessionTrace.h"

#include "app/TfMain.h"
#include "sim/DemoConfiguration.h"
#include "sim/ReplayUnit.h"
#include "sim/VirtualUnit.h"
#include "support/SequenceRun.h"
#include "support/TempFolder.h"
#include "transfer/uSend.h"
#include "usb/TraceFormat.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace qolmex {
namespace {

std::vector<trace::Event> eventsIn(const std::string& path) {
    std::ifstream in(testing::pathOf(path), std::ios::binary);
    trace::ParsedTrace parsed = trace::parse(in);
    EXPECT_EQ(parsed.error, "");
    return std::move(parsed.events);
}

std::vector<std::string> verdictsOf(const std::vector<trace::Event>& events) {
    std::vector<std::string> verdicts;
    for (const trace::Event& e : events)
        if (e.kind == trace::Event::Kind::Verdict)
            verdicts.push_back(e.verdict);
    return verdicts;
}

// The window with QOLMEX70_TRACE set, against the virtual unit on a virtual clock.
class WindowTrace : public ::testing::Test {
protected:
    void TearDown() override { qunsetenv(SessionTrace::variable); }

    testing::TempFolder folder;
    VirtualClock clock;
    VirtualUnit unit{clock};
};

TEST_F(WindowTrace, ASendAndAReadAreTracedAndReplayToTheSameEnd) {
    const std::string path = folder.file("okno.trace");
    qputenv(SessionTrace::variable, QByteArray::fromStdString(path));
    storeInUnit(demoConfiguration(), unit);
    {
        SessionTrace trace(unit);
        EXPECT_TRUE(trace.failure().isEmpty());
        TfMain window(&trace.device());
        window.setMessageFunction([](const QString&) {});
        window.btnReadClick();
        window.configuration().setText("editPOV2_3", "+421944555666");
        window.btnSendClick();
    }
    const std::vector<trace::Event> events = eventsIn(path);
    EXPECT_EQ(verdictsOf(events), (std::vector<std::string>{"ok", "ok"}));

    VirtualClock replayClock;
    ReplayUnit replay(replayClock, events);
    testing::SequenceRun run(replay, replayClock);
    Configuration read;
    EXPECT_EQ(run.read(read), "ok");
    EXPECT_EQ(read, demoConfiguration());
    read.setText("editPOV2_3", "+421944555666");
    EXPECT_EQ(run.send(read), "ok"); // another minute in its clock block is no difference
    replay.finish();
    EXPECT_TRUE(replay.differences().empty()) << replay.differences().front().text;
}

TEST_F(WindowTrace, StornoIsTheVerdictOfATransferTheUserStopped) {
    const std::string path = folder.file("storno.trace");
    qputenv(SessionTrace::variable, QByteArray::fromStdString(path));
    unit.setFaults({.noStartAnswer = true});
    SessionTrace trace(unit);
    TfMain window(&trace.device());
    window.setMessageFunction([](const QString&) {});
    QTimer::singleShot(50, &window,
                       [&window] { QTest::mouseClick(window.fSend().btnCancel, Qt::LeftButton); });
    window.btnSendClick();
    EXPECT_EQ(verdictsOf(eventsIn(path)), std::vector<std::string>{"Storno"});
}

TEST_F(WindowTrace, NoVariableNoTraceAndAFileThatCannotBeWrittenIsTold) {
    SessionTrace untraced(unit);
    EXPECT_EQ(&untraced.device(), &unit);
    EXPECT_TRUE(untraced.failure().isEmpty());

    const std::string path = folder.file("no/such/folder/x.trace");
    qputenv(SessionTrace::variable, QByteArray::fromStdString(path));
    SessionTrace failed(unit);
    EXPECT_EQ(&failed.device(), &unit);
    EXPECT_TRUE(failed.failure().contains(QString::fromStdString(path)));
}

} // namespace
} // namespace qolmex

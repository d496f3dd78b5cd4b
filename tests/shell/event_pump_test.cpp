#include "base/main_view.h"
#include "base/main_window_model.h"
#include "base/model_lamps.h"
#include "base/model_status_line.h"
#include "presenter/timer_event_pump.h"
#include "test_printers.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <gtest/gtest.h>

#include <memory>

namespace kc {
namespace {

class TimerPump : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "dispatcher_tests";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    static void TearDownTestSuite() { app_.reset(); }
    static std::unique_ptr<QCoreApplication> app_;
};

std::unique_ptr<QCoreApplication> TimerPump::app_;

TEST_F(TimerPump, EventsRunWhileItWaitsForTheTick) {
    int hooks = 0;
    TimerEventPump pump([&hooks] { ++hooks; });
    bool clicked = false;
    // A click that arrives while a probe waits is handled during the wait.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&clicked] { clicked = true; }, Qt::QueuedConnection);
    pump.wait(WaitTimer::Timer3);
    EXPECT_TRUE(clicked);
    EXPECT_GE(hooks, 1);
}

TEST_F(TimerPump, PendingEventsRunOnce) {
    int hooks = 0;
    TimerEventPump pump([&hooks] { ++hooks; });
    bool ran = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&ran] { ran = true; }, Qt::QueuedConnection);
    pump.runPendingOnce();
    EXPECT_TRUE(ran);
    EXPECT_EQ(hooks, 1);
}

class CountingView : public MainView {
  public:
    void refresh(const MainWindowModel& model) override { texts.append(model.statusText); }
    void showScanResult(const ScanResultModel&) override {}
    void showEgkInfo(int) override {}
    void requestClose() override {}
    QStringList texts;
};

TEST(ModelStatusLine, WritesTheModelAndRepaints) {
    MainWindowModel model;
    CountingView view;
    ModelStatusLine status(model, view);
    status.showStatus(QStringLiteral("Der MKT Status wird angezeigt"));
    status.setProgress(40);
    status.setBusy(true);
    EXPECT_EQ(model.statusText, "Der MKT Status wird angezeigt");
    EXPECT_EQ(model.progress, 40);
    EXPECT_TRUE(model.busy);
    EXPECT_EQ(view.texts.size(), 3);
    ModelLamps lamps(model);
    lamps.setLamp(kTerminalLamp, LampColor::Green);
    lamps.setLamp(7, LampColor::Yellow);
    EXPECT_EQ(model.lamps[kTerminalLamp], LampColor::Green);
    EXPECT_EQ(model.lamps[kCardLamp], LampColor::Neutral);
}

} // namespace
} // namespace kc

#include "base/main_window_model.h"
#include "base/model_lamps.h"
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

// A click that arrives while a probe waits is handled during the wait; pending events run once.
TEST_F(TimerPump, EventsRunWhileItWaitsAndPendingOnesOnce) {
    int hooks = 0;
    TimerEventPump pump([&hooks] { ++hooks; });
    int clicks = 0;
    const auto click = [&clicks] { ++clicks; };
    QMetaObject::invokeMethod(QCoreApplication::instance(), click, Qt::QueuedConnection);
    pump.wait(WaitTimer::Timer3);
    EXPECT_EQ(clicks, 1);
    EXPECT_GE(hooks, 1);
    hooks = 0;
    QMetaObject::invokeMethod(QCoreApplication::instance(), click, Qt::QueuedConnection);
    pump.runPendingOnce();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(hooks, 1);
}

// The status line of the model is seen in the window tests; a lamp out of range is ignored.
TEST(ModelLamps, SetsTheLampsThereAre) {
    MainWindowModel model;
    ModelLamps lamps(model);
    lamps.setLamp(kTerminalLamp, LampColor::Green);
    lamps.setLamp(7, LampColor::Yellow);
    EXPECT_EQ(model.lamps[kTerminalLamp], LampColor::Green);
    EXPECT_EQ(model.lamps[kCardLamp], LampColor::Neutral);
}

} // namespace
} // namespace kc

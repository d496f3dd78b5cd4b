// SPDX-License-Identifier: Apache-2.0
#include "base/main_window_model.h"
#include "base/model_lamps.h"
#include "presenter/timer_event_pump.h"
#include "test_printers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

namespace kc {
namespace {

// A click that arrives while a probe waits is handled during the wait; pending events run once.
TEST(TimerPump, EventsRunWhileItWaitsAndPendingOnesOnce) {
    int argc = 1;
    char name[] = "dispatcher_tests";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
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

// A lamp out of range is ignored.
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

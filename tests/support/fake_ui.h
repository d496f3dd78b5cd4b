// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/clipboard.h"
#include "base/event_pump.h"
#include "base/lamps.h"
#include "base/message_boxes.h"
#include "base/status_line.h"
#include "test_printers.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace kc::test {

// Answers boxes from a script and records every box shown. A box without a
// scripted answer gets its default button, as pressing Enter would.
class ScriptedMessageBoxes : public MessageBoxes {
  public:
    void script(std::initializer_list<MsgAnswer> answers) { answers_.insert(answers_.end(), answers); }
    MsgAnswer ask(const MessageRequest& request) override;

    std::vector<MessageRequest> shown;
    int unscripted = 0;

  private:
    std::deque<MsgAnswer> answers_;
};

class RecordingStatusLine : public StatusLine {
  public:
    void showStatus(const QString& text) override { statuses.append(text); }
    void setProgress(int value) override { progress.push_back(value); }
    void setBusy(bool busy) override { busyChanges.push_back(busy); }

    QStringList statuses;
    std::vector<int> progress;
    std::vector<bool> busyChanges;
};

class CountingEventPump : public EventPump {
  public:
    void runPendingOnce() override { ++pendingRuns; }
    void wait(WaitTimer timer) override { waits.push_back(timer); }

    int pendingRuns = 0;
    std::vector<WaitTimer> waits;
};

class FakeClipboard : public Clipboard {
  public:
    void clear() override {
        text.clear();
        ++clears;
    }
    void setText(const QString& value) override { text = value; }

    QString text;
    int clears = 0;
};

class RecordingLamps : public LampObserver {
  public:
    void setLamp(int lamp, LampColor color) override { colors[lamp] = color; }
    LampColor colors[2] = {LampColor::Neutral, LampColor::Neutral};
};

} // namespace kc::test

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/status_line.h"

#include <QString>

namespace kc::cli {

// The status line of a scan on the console. The search of further ports puts
// one text per port number on the status line, 508 in a row; of such a run
// only the first and the last are printed, with the count between them.
class SearchStatusLine : public StatusLine {
  public:
    explicit SearchStatusLine(StatusLine& inner) : inner_(inner) {}
    ~SearchStatusLine() override { endRun(); }

    void showStatus(const QString& text) override;
    void setProgress(int value) override { inner_.setProgress(value); }
    void setBusy(bool busy) override { inner_.setBusy(busy); }

  private:
    void endRun();

    StatusLine& inner_;
    QString last_;
    int skipped_ = 0;
    bool inRun_ = false;
};

} // namespace kc::cli

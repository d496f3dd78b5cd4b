// SPDX-License-Identifier: Apache-2.0
#include "search_status_line.h"

#include "discovery/port_names.h"

namespace kc::cli {
namespace {

// The scan's own texts for COM 1 to 4 are shown one by one; the search of
// further ports names every other port number.
bool IsPortSearchText(const QString& text) {
    if (!text.startsWith(QStringLiteral("Programm prüft ")))
        return false;
    for (uint16_t pn = 1; pn <= 4; ++pn)
        if (text == PortTestingText(pn))
            return false;
    return true;
}

} // namespace

void SearchStatusLine::showStatus(const QString& text) {
    if (!IsPortSearchText(text)) {
        endRun();
        inner_.showStatus(text);
        return;
    }
    if (!inRun_) {
        inRun_ = true;
        inner_.showStatus(text);
        return;
    }
    if (!last_.isEmpty())
        ++skipped_;
    last_ = text;
}

void SearchStatusLine::endRun() {
    if (!inRun_)
        return;
    inRun_ = false;
    if (skipped_ > 0)
        inner_.showStatus(QStringLiteral("... %1 weitere ...").arg(skipped_));
    if (!last_.isEmpty())
        inner_.showStatus(last_);
    last_.clear();
    skipped_ = 0;
}

} // namespace kc::cli

// SPDX-License-Identifier: Apache-2.0
#include "console_views.h"

#include "console_io.h"
#include "console_text.h"

namespace kc::cli {
namespace {

constexpr int kCaptionWidth = 26;
constexpr int kHandheldFirstRow = 16;

void PrintRow(Console& console, const QString& caption, const QString& value) {
    console.data.writeLine(
        WithoutTrailingBlanks(QStringLiteral("  ") + caption.leftJustified(kCaptionWidth) + value));
}

// Labels carry a single ampersand doubled; on the screen it shows once.
QString AsShown(const QString& labelText) {
    QString shown = labelText;
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

} // namespace

void PrintCardView(Console& console, const CardDataView& view) {
    console.data.writeLine();
    console.data.writeLine(view.frameCaption);
    const int rows = view.mobileRowsVisible ? kCardRows : kHandheldFirstRow;
    for (int row = 0; row < rows; ++row)
        PrintRow(console, view.captions[std::size_t(row)], AsShown(view.values[std::size_t(row)]));
}

void PrintStatusPage(Console& console, const StatusPages& pages, int slot) {
    console.data.writeLine();
    console.data.writeLine(QStringLiteral("Status"));
    for (int row = 0; row < kStatusRows; ++row)
        PrintRow(console, StatusCaption(slot, row), pages[slot].values[std::size_t(row)]);
}

} // namespace kc::cli

// SPDX-License-Identifier: Apache-2.0
#include "presenter/scan_result.h"

#include "base/message_boxes.h"
#include "terminal/ctapi.h"

#include <QRegularExpression>

namespace kc {
namespace {

QString FoundLine(const PortStatus& port, const TerminalInfo& info) {
    if (info.ViaUsbVirtualCom)
        return kReaderFoundText + QStringLiteral(" USB Gerät (Virtueller COM port)");
    return kReaderFoundText + QStringLiteral(" Baudrate: ") + port.CtApiBaudText.str() +
           QStringLiteral(" Baud.");
}

// The gap after "An COM " and the one after "Mit ", each a run of blanks.
const QRegularExpression kPortGap(QStringLiteral("^An COM +"));
const QRegularExpression kKeyGap(QStringLiteral(" Mit +"));

QString LineAsText(const ScanResultLine& line) {
    QString text = line.text;
    if (!line.portGap.isEmpty())
        text.replace(kPortGap, QStringLiteral("An COM ") + line.portGap + QLatin1Char(' '));
    if (line.keyPictureVisible)
        text.replace(kKeyGap, QStringLiteral(" Mit [OK] "));
    return text;
}

} // namespace

QStringList ScanResultText(const ScanResultModel& result) {
    QStringList lines;
    for (const ScanResultLine& line : result.lines) {
        if (!line.text.isEmpty())
            lines.append(LineAsText(line));
    }
    if (!result.summary.isEmpty())
        lines.append(result.summary.split(kCrLf));
    return lines;
}

ScanResultModel FillScanResult(const SlotTables& tables, int furtherPortCount, bool brokenOff) {
    ScanResultModel result;
    bool found = false;
    for (int i = 0; i < kScanResultLines; ++i) {
        const int slot = i + 1;
        ScanResultLine& line = result.lines[std::size_t(i)];
        const TerminalInfo& info = tables.terminal[slot];
        const PortStatus& port = tables.port[slot];
        if (info.Responding) {
            found = true;
            line.portGap = QString::number(slot);
            line.text = FoundLine(port, info);
        } else if (port.PortResult == ERR_TRANS) {
            // The library saw a free port: a terminal may be waiting for a key press.
            found = true;
            line.text = kReaderPossibleText;
            line.portGap = QString::number(slot);
            line.keyPictureVisible = true;
        }
    }
    if (furtherPortCount >= 1) {
        result.summary = QString::number(furtherPortCount) +
                         (found ? QStringLiteral(" weitere(n) Chipkartenleser gefunden.")
                                : QStringLiteral(" Chipkartenleser gefunden.")) +
                         kCrLf + QStringLiteral("Siehe Schnittstellen weitere ...");
    } else if (!found) {
        result.line1Centred = true;
        result.lines[1].text = kNoReaderText;
    }
    if (brokenOff)
        result.summary += (result.summary.isEmpty() ? QString() : kCrLf) + kScanBrokenOffText;
    return result;
}

} // namespace kc

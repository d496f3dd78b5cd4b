// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

#include <QString>
#include <QStringList>
#include <array>

namespace kc {

// One line of the scan result window for COM 1 to COM 4: the sentence, the
// port number drawn into its first gap and the key picture over its second.
struct ScanResultLine {
    QString text;
    QString portGap;
    bool keyPictureVisible = false;
};

constexpr int kScanResultLines = 4;

// What the result window (Form_DatenInfo) shows after a scan.
struct ScanResultModel {
    QString caption = QStringLiteral("KartoCheck Ergebnis");
    std::array<ScanResultLine, kScanResultLines> lines;
    bool line1Centred = false; // the second line carries the "none found" text centred
    QString summary;           // up to three lines joined with CR LF, or empty
};

// The sentences whose blanks are gaps for the port number and the key picture.
inline const QString kReaderFoundText = QStringLiteral("An COM       Chipkartenleser gefunden.");
inline const QString kReaderPossibleText =
    QStringLiteral("An COM       Chipkartenleser möglich. Mit               Taste fortfahren.");
inline const QString kNoReaderText = QStringLiteral("Keinen Chipkartenleser gefunden!");

inline const QString kScanBrokenOffText =
    QStringLiteral("Die Suche wurde abgebrochen: die Terminalbibliothek antwortet nicht.");

// Fills the window from slots 1 to 4 and the number of further ports listed;
// a scan broken off because the library was given up says so last.
ScanResultModel FillScanResult(const SlotTables& tables, int furtherPortCount, bool brokenOff = false);

// The window as plain lines, as a console shows it: the port number written
// into the first gap, the key picture as "[OK]" into the second, then the
// summary's lines. Empty lines of the window are left out.
QStringList ScanResultText(const ScanResultModel& result);

} // namespace kc

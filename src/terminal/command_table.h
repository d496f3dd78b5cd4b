// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// Command APDUs as hex text. CLA 20 goes to the terminal (destination 1),
// CLA 00 to the card in slot 1 (destination 0).
struct CommandTable {
    QString CmdRequestIcc1 = QStringLiteral("201201000101");
    QString CmdSelectKvkOldAid = QStringLiteral("00A4040006D28000000101");
    QString CmdSelectKvkAid = QStringLiteral("00A4040006D27600000101");
    QString CmdReadBinary = QStringLiteral("00B0000000");
    QString CmdEjectIcc1 = QStringLiteral("201501010101");
    QString CmdResetCt = QStringLiteral("2011000000");
    QString CmdGetStatusManufacturer = QStringLiteral("2013004600");
    QString CmdGetStatusUnits = QStringLiteral("2013008100");
    QString CmdEraseBinary = QStringLiteral("000E0000");
    QString CmdResetIcc1 = QStringLiteral("20110100");
    QString CmdSelectDfHca = QStringLiteral("00A4040C06D27600000102");
    QString CmdSelectEfPd = QStringLiteral("00A4020C02D001");
    QString CmdSelectEfVd = QStringLiteral("00A4020C02D002");
    QString CmdSelectEfGvd = QStringLiteral("00A4020C02D003");
    QString CmdSelectEfStatusVd = QStringLiteral("00A4020C02D00C");
    QString CmdReadBinarySfiGdo = QStringLiteral("00B0820000");
    QString CmdEjectIcc1B = QStringLiteral("201501000100");

    static constexpr int kEntryCount = 17;
};

// The one table of the run; it never changes after start.
const CommandTable& Commands();

constexpr int kToCard = 0;
constexpr int kToTerminal = 1;

// Status word: the last four characters of a response text.
inline QString StatusWord(const QString& response) {
    return response.right(4);
}

} // namespace kc

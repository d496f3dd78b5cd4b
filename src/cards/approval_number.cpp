// SPDX-License-Identifier: Apache-2.0
#include "cards/approval_number.h"

namespace kc {
namespace {

constexpr uint16_t kFirstUsbPort = 0x2000;
constexpr uint16_t kLastUsbPort = 0x20FF;

const QString kQ3Type = QStringLiteral("QMT3 ");

} // namespace

void ApplyZulassungsnummer(const QString& approval, SlotTables& tables, uint16_t selectedPort, int slot) {
    TerminalInfo& info = tables.terminal[slot];
    if (approval == QLatin1String("103")) {
        const bool viaUsb = selectedPort >= kFirstUsbPort && selectedPort <= kLastUsbPort;
        info.Manufacturer = QStringLiteral("DEZAV");
        if (info.CtType == kQ3Type || viaUsb) {
            info.ModelText = QStringLiteral("Serie Q3");
            info.CtType = kQ3Type;
        } else {
            info.ModelText = QStringLiteral("Modell VEX K7/Serie Q3");
        }
    } else if (approval == QLatin1String("109")) {
        info.ModelText = QStringLiteral("Serie Q4");
        info.Manufacturer = QStringLiteral("DEZAV");
        info.CtType = QStringLiteral("QKT-4");
    } else {
        info.ModelText = QStringLiteral("Kein VEX K7/Serie Q4");
        info.Manufacturer = QStringLiteral("?????");
    }
}

} // namespace kc

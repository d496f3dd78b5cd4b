// SPDX-License-Identifier: Apache-2.0
#include "cards/read_loop.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/status_line.h"
#include "base/status_texts.h"
#include "cards/card_ready_check.h"
#include "cards/read_insurance_card.h"

namespace kc {
namespace {

constexpr uint16_t kFirstUsbPort = 8192;
constexpr uint16_t kLastUsbPort = 8447;
constexpr uint16_t kFirstNonSerialPort = 257;

const QString kInsertCard = QStringLiteral(
    " Bitte eine Krankenversichertenkarte in \r\n Kartenkontaktiereinheit 1 einführen. \r\n\r\n");
const QString kUsesInterface =
    QStringLiteral(" Das Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n");
const QString kMobileErases = QStringLiteral(
    " Ist am VEX Handy K7 der PC-Mode auf \r\n Handy lesen eingestellt oder am Serie Q4 Gerät \r\n"
    " die Betriebsart Mobil PC bzw. Mob. PC+Weiche oder \r\n am Serie Q3 Gerät die Betriebsart Mobil "
    "eingestellt, \r\n"
    " so wird der gelesene Datensatz durch \r\n diese Testsoftware automatisch gelöscht! \r\n\r\n");

} // namespace

QString InterfaceTextOfPort(uint16_t pn) {
    const QString number = QString::number(pn);
    if (pn < kFirstNonSerialPort)
        return QStringLiteral(" COM  ") + number;
    const QString ctapi = QStringLiteral(" (CTAPI pn=") + number + QLatin1Char(')');
    if (pn >= kFirstUsbPort && pn <= kLastUsbPort)
        return QStringLiteral(" USB Device ") + QString::number(pn - 8191) + ctapi;
    return QStringLiteral(" ? ") + ctapi;
}

MsgAnswer ShowInsertCardPrompt(MessageBoxes& boxes, bool mobile, const QString& suffix) {
    const QString text = kInsertCard + (mobile ? kMobileErases : QString()) + kUsesInterface + suffix;
    return boxes.ask({text, kBoxTitle, MsgButtons::OkCancel, MsgIcon::Exclamation, true});
}

ReadResult RunReadLoop(Context& ctx, uint16_t pn, int slot, const QString& suffix,
                       const std::function<void()>& afterPrompt) {
    ReadResult result = ReadResult::Failed;
    MsgAnswer answer = MsgAnswer::Ok;
    do {
        ctx.status.showStatus(QStringLiteral("Die Krankenversichertendaten lesen"));
        answer = MsgAnswer::Ok;
        if (CheckCardReady(ctx, pn) == CardReadiness::InsertCard)
            answer = ShowInsertCardPrompt(ctx.boxes, ctx.state.tables.terminal[slot].IsMobile, suffix);
        if (afterPrompt)
            afterPrompt();
        if (answer != MsgAnswer::Ok)
            return ReadResult::Failed;
        ctx.status.showStatus(kCardDataReadingText);
        result = ReadInsuranceCard(ctx, pn);
        ShowTerminalStatus(ctx.state.tables, slot, ctx.state.ui.statusPages);
        ctx.status.showStatus(kCardDataShownText);
    } while (result == ReadResult::TryAgain);
    return result;
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "cards/card_ready_check.h"

#include "base/app_state.h"
#include "base/context.h"
#include "cards/card_boxes.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

const QString kCheckTerminalText = QStringLiteral(" Bitte Chipkartenterminal überprüfen! ");
const QString kDisplayOutput = QStringLiteral("LCD-Anzeige/Drucker");

// The session is closed on every path that opened it.
CardReadiness Close(Context& ctx, CardReadiness result) {
    ctx.session.ResetAndCloseTerminal();
    return result;
}

// SELECT of the KVK application; the status word, or nothing on a CT-API error.
QString SelectKvkApplication(Context& ctx) {
    QString response;
    if (ctx.session.TransmitApdu(Commands().CmdSelectKvkAid, kToCard, response) != OK)
        return {};
    return StatusWord(response);
}

QString CommandRefusedText(bool mobile) {
    if (mobile)
        return JoinLines({kCheckTerminalText,
                          QStringLiteral(" Ist das mobile Chipkartenterminal zugeschlossen?"),
                          QStringLiteral(" Wenn ja, Chipkartenterminal aufschließen.")});
    return JoinLines({kCheckTerminalText,
                      QStringLiteral(" Sind die Chipkartenterminal Menü-Einstellungen aktiviert? "),
                      QStringLiteral(" Wenn ja, Chipkartenterminal auf die Standardanzeige stellen.")});
}

} // namespace

CardReadiness CheckCardReady(Context& ctx, uint16_t pn) {
    const int slot = SlotOfPort(pn);
    TerminalInfo& info = ctx.state.tables.terminal[slot];
    if (ctx.session.SessionOpen())
        ctx.session.ResetAndCloseTerminal();

    const int16_t opened = ctx.session.OpenTerminal(pn);
    if (opened != OK) {
        // The scan found a terminal here, so it was switched off or locked since.
        if (info.Responding && opened == ERR_TRANS)
            ShowCardError(ctx.boxes,
                          JoinLines({kCheckTerminalText, QStringLiteral(" Ist das Terminal eingeschaltet?! "),
                                     QStringLiteral(" Ist die KeyCard nicht mehr aktiv?! ")}));
        return CardReadiness::InsertCard;
    }

    QString response;
    const int16_t requested = ctx.session.TransmitApdu(Commands().CmdRequestIcc1, kToTerminal, response);
    if (requested != OK) {
        if (requested == ERR_TRANS)
            info.OutputMedium = kDisplayOutput;
        return Close(ctx, CardReadiness::InsertCard);
    }

    const QString sw = StatusWord(response);
    if (sw == u"9000" || sw == u"9001" || sw == u"6201") {
        if (SelectKvkApplication(ctx) == u"6985")
            info.OutputMedium = kDisplayOutput;
        return Close(ctx, CardReadiness::ReadNow);
    }
    if (sw == u"6200") {
        if (info.IsMobile && info.CtType == QStringLiteral("QMT3 ")) {
            ShowCardError(ctx.boxes, QStringLiteral(" Es sind keine Datensätze gespeichert! ") + kCrLf);
            return Close(ctx, CardReadiness::ReadNow);
        }
        if (SelectKvkApplication(ctx) == u"6900")
            info.IsLocked = true;
        return Close(ctx, CardReadiness::InsertCard);
    }
    if (sw == u"6900") {
        ShowCardError(ctx.boxes, CommandRefusedText(info.IsMobile));
        return Close(ctx, CardReadiness::ReadNow);
    }
    return Close(ctx, CardReadiness::InsertCard);
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "cards/read_insurance_card.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/egk_read_hook.h"
#include "cards/card_boxes.h"
#include "cards/card_read.h"
#include "cards/egk_readers.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

const QString kNotPossibleText =
    QStringLiteral(" Lesen der Krankenversichertendaten von der Karte nicht möglich! ");
const QString kTryAgainText = QStringLiteral(" Noch einmal versuchen? ");

bool IsCardThere(const QString& sw) {
    return sw == QLatin1String("9000") || sw == QLatin1String("6201") || sw == QLatin1String("9001");
}

// Step F: the port did not open.
ReadResult OpenFailed(Context& ctx, int16_t code) {
    if (code == ERR_TRANS) {
        ShowCardError(
            ctx.boxes,
            JoinLines({kNotPossibleText,
                       QStringLiteral(" Haben Sie als Ausgabemedium LCD-Anzeige/Drucker eingestellt ?! ")}));
        return ReadResult::Failed;
    }
    if (ctx.session.SessionOpen())
        ctx.session.ResetAndCloseTerminal();
    ShowCardError(ctx.boxes, JoinLines({kNotPossibleText, QStringLiteral(" Kommunikationsfehler ! ")}));
    return ReadResult::Failed;
}

// No card where one was expected: what the terminal's answer most likely means.
QString NoCardQuestion(const QString& sw, const TerminalInfo& info) {
    if (sw == QLatin1String("6200") && info.IsLocked)
        return JoinLines({QStringLiteral(" Keine Datensätze/KeyCard gefunden! "),
                          QStringLiteral(" Gerät ist zugeschlossen!"), QString(), kTryAgainText});
    if (sw == QLatin1String("6200") && info.IsMobile)
        return JoinLines({QStringLiteral(" Keine Datensätze gefunden! "), kTryAgainText});
    if (sw == QLatin1String("6900") && info.IsMobile)
        return JoinLines(
            {QStringLiteral(" Das mobile Chipkartenterminal ist zugeschlossen! "), kTryAgainText});
    if (sw == QLatin1String("6900"))
        return JoinLines(
            {QStringLiteral(" Die Chipkartenterminal Menü-Einstellungen sind aktiviert! "), kTryAgainText});
    return JoinLines({QStringLiteral(" Keine Chipkarte gefunden! "), kTryAgainText});
}

} // namespace

int16_t CardRead::send(const QString& command, int destination, QString& response) {
    return ctx.session.TransmitApdu(command, destination, response);
}

ReadResult CardRead::end(ReadResult result) {
    ctx.session.ResetAndCloseTerminal();
    return result;
}

ReadResult OutputMediumNotPc(CardRead& run) {
    run.info.OutputMedium = QStringLiteral("LCD-Anzeige/Drucker");
    ShowCardError(
        run.ctx.boxes,
        JoinLines({kNotPossibleText, QStringLiteral(" Beim Chipkartenterminal ist als Ausgabemedium "),
                   QString(), QStringLiteral(" LCD-Anzeige/Drucker eingestellt! ")}));
    return run.end(ReadResult::Failed);
}

QString EraseWarningText(const QString& device) {
    return QStringLiteral(" Achtung, Lesetest an einem ") + device +
           QStringLiteral("! \r\n Nach Durchführen eines Lesetests an einem ") + device +
           QStringLiteral(" \r\n mit dieser Testsoftware wird der gelesene Datensatz \r\n automatisch "
                          "gelöscht!\r\n\r\n") +
           QString(26, QLatin1Char(' ')) + QStringLiteral("Möchten Sie fortfahren? ");
}

ReadResult ReadInsuranceCard(Context& ctx, uint16_t pn) {
    static EgkReaders builtIn;
    const int slot = SlotOfPort(pn);
    CardRead run{ctx, pn, slot, ctx.state.tables.terminal[slot], ctx.egk ? *ctx.egk : builtIn};
    const CommandTable& cmd = Commands();

    const int16_t opened = ctx.session.OpenTerminal(pn);
    if (opened != OK)
        return OpenFailed(ctx, opened);

    // A handheld that keeps stored records says so in its answer to RESET CT.
    QString response;
    if (run.send(cmd.CmdResetCt, kToTerminal, response) == OK &&
        StatusWord(response) == QLatin1String("9500"))
        run.info.IsMobile = true;

    const int16_t requested = run.send(cmd.CmdRequestIcc1, kToTerminal, response);
    if (requested != OK)
        return requested == ERR_TRANS ? OutputMediumNotPc(run) : run.end(ReadResult::Failed);
    QString sw = StatusWord(response);

    if (!run.info.IsMobile && (sw == QLatin1String("9000") || sw == QLatin1String("6201"))) {
        QString reset;
        if (run.send(cmd.CmdResetIcc1, kToTerminal, reset) == OK)
            sw = StatusWord(reset);
    }
    if (!IsCardThere(sw))
        return run.end(AskRetry(ctx.boxes, NoCardQuestion(sw, run.info)));
    // A processor card answers the reset with 9001, a memory card with 9000.
    return sw == QLatin1String("9001") ? ReadEgkStep(run) : ReadKvkStep(run);
}

} // namespace kc

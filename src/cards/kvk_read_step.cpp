// SPDX-License-Identifier: Apache-2.0
#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "cards/card_boxes.h"
#include "cards/card_read.h"
#include "cards/kvk_record.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"

namespace kc {
namespace {

const QString kKvkDevice = QStringLiteral("VEX K7/Serie Q3/Q4 Gerät");

// The new application identifier is missing: an old card, or no KVK at all.
ReadResult AskAfterMissingApplication(CardRead& run) {
    QString response;
    QString reason;
    if (run.send(Commands().CmdSelectKvkOldAid, kToCard, response) == OK) {
        reason = StatusWord(response) == u"9000"
                     ? JoinLines({QStringLiteral(" Krankenversichertenkarte mit altem AID! "),
                                  QStringLiteral(" Kein VEX Gerät! ")})
                     : QStringLiteral(" Karte hat kein Krankenversichertenkarten AID! ");
    }
    return run.end(AskRetry(run.ctx.boxes, JoinLines({reason, QStringLiteral(" Noch einmal versuchen? ")}),
                            MsgIcon::Critical));
}

// The parser refused the record. Ask the terminal again whether it is a
// handheld, so that the next read takes the right branches.
ReadResult RecordRefused(CardRead& run) {
    run.info.HasCardData = false;
    ResetSlotDisplay(run.ctx.state.tables, run.slot, run.ctx.state.ui.card);
    QString response;
    if (run.send(Commands().CmdResetCt, kToTerminal, response) != OK)
        return run.end(ReadResult::Failed);
    if (StatusWord(response) == u"9500") {
        run.info.ModelText = QStringLiteral("Modell VEX K7/Serie Q3/Q4");
        run.info.IsMobile = true;
    } else {
        run.info.IsMobile = false;
    }
    return run.end(ReadResult::Failed);
}

ReadResult RecordAccepted(CardRead& run) {
    run.info.HasCardData = true;
    // The slot now holds KVK data, whatever was read there before.
    run.info.IsEgk = false;
    return run.end(ReadResult::Done);
}

// A handheld's record is erased once it has been read; a terminal that cannot
// erase (6D00) keeps it.
ReadResult EraseStoredRecord(CardRead& run) {
    QString response;
    const int16_t code = run.send(Commands().CmdEraseBinary, kToCard, response);
    const QString sw = StatusWord(response);
    if (code == OK && sw == u"9000") {
        // The record is erased; whether the handheld also ejects changes nothing.
        QString ignored;
        static_cast<void>(run.send(Commands().CmdEjectIcc1, kToTerminal, ignored));
        return RecordAccepted(run);
    }
    if (code == OK && sw == u"6D00")
        return RecordAccepted(run);
    ResetSlotDisplay(run.ctx.state.tables, run.slot, run.ctx.state.ui.card);
    run.info.HasCardData = false;
    ShowCardError(run.ctx.boxes, JoinLines({QStringLiteral(" ERASE BINARY Error! "),
                                            QStringLiteral(" Datensatz konnte nicht gelöscht werden! ")}));
    return run.end(ReadResult::Failed);
}

} // namespace

ReadResult ReadKvkStep(CardRead& run) {
    QString response;
    const int16_t selected = run.send(Commands().CmdSelectKvkAid, kToCard, response);
    if (selected == ERR_TRANS)
        return OutputMediumNotPc(run);
    if (selected != OK) {
        ShowCardError(run.ctx.boxes, QStringLiteral(" Chipkartenterminal RETURN Fehler! "));
        return run.end(ReadResult::Failed);
    }
    const QString sw = StatusWord(response);
    if (sw == u"6985")
        return OutputMediumNotPc(run);
    if (sw == u"6A82")
        return AskAfterMissingApplication(run);
    // Any other refusal of the application: nothing can be read, and that is a failure.
    if (sw != u"9000")
        return run.end(ReadResult::Failed);

    // A declined warning leaves the session open for the caller to close.
    if (run.info.IsMobile && !ConfirmWithNoDefault(run.ctx.boxes, EraseWarningText(kKvkDevice)))
        return ReadResult::Failed;
    const int16_t read = run.send(Commands().CmdReadBinary, kToCard, response);
    const QString readSw = StatusWord(response);
    if (read != OK || !(readSw == u"9000" || readSw == u"6282"))
        return run.end(ReadResult::Failed);

    if (ParseKvkRecord(run.ctx, run.slot, response.left(response.size() - 4)))
        return RecordRefused(run);
    if (!run.info.IsMobile)
        return RecordAccepted(run);
    return EraseStoredRecord(run);
}

} // namespace kc

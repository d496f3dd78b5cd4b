// SPDX-License-Identifier: Apache-2.0
#include "base/app_state.h"
#include "base/context.h"
#include "base/egk_read_hook.h"
#include "cards/card_boxes.h"
#include "cards/card_read.h"

namespace kc {

ReadResult ReadEgkStep(CardRead& run) {
    EgkResults& egk = run.ctx.state.tables.egk[run.slot];
    for (QString& text : egk.EgkValidationText)
        text.clear();
    egk.IccSerialNumber.clear();
    egk.VsdStatus.clear();
    egk.GvdProtected = false;

    ReadResult result = ReadResult::Failed;
    if (run.info.IsMobile) {
        // A declined warning leaves the session open for the caller to close.
        if (!ConfirmWithNoDefault(run.ctx.boxes,
                                  EraseWarningText(QStringLiteral("Gerät der Zavia Q3 Serie"))))
            return ReadResult::Failed;
        result = run.egk.ReadEgkFromMobileTerminal(run.ctx, run.slot);
    } else {
        result = run.egk.ReadEgkFromCard(run.ctx, run.pn);
    }
    const bool read = result == ReadResult::Done;
    run.info.IsEgk = read;
    run.info.HasCardData = read;
    return run.end(read ? ReadResult::Done : ReadResult::Failed);
}

} // namespace kc

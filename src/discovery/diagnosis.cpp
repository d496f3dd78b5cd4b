// SPDX-License-Identifier: Apache-2.0
#include "discovery/diagnosis.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/message_boxes.h"
#include "base/progress.h"
#include "base/status_line.h"
#include "base/status_texts.h"
#include "cards/card_ready_check.h"
#include "cards/read_insurance_card.h"
#include "cards/read_loop.h"
#include "discovery/diagnosis_texts.h"
#include "discovery/port_names.h"
#include "discovery/port_test.h"

namespace kc {
namespace {

const QString kReadText = QStringLiteral("Die Krankenversichertendaten lesen");

bool AnsweredYes(MessageBoxes& boxes, const QString& question) {
    return boxes.ask({question, kDiagnosisTitle, MsgButtons::YesNo, MsgIcon::Question, false}) ==
           MsgAnswer::Yes;
}

void ShowStatusTab(Context& ctx) {
    ShowFrameX(ctx.state.ui, kFrameStatus);
    ctx.status.showStatus(kTerminalStatusShownText);
}

// The re-test asks for a card with OK as the default button unless the
// terminal is a handheld, whose stored record the read will erase.
class OkDefaultBoxes : public MessageBoxes {
  public:
    explicit OkDefaultBoxes(MessageBoxes& boxes) : boxes_(boxes) {}
    MsgAnswer ask(const MessageRequest& request) override {
        MessageRequest firstDefault = request;
        firstDefault.secondButtonDefault = false;
        return boxes_.ask(firstDefault);
    }

  private:
    MessageBoxes& boxes_;
};

MsgAnswer AskForCard(Context& ctx, uint16_t pn, bool mobile) {
    const QString suffix = QString::number(pn) + QStringLiteral(") ");
    if (mobile)
        return ShowInsertCardPrompt(ctx.boxes, true, suffix);
    OkDefaultBoxes boxes(ctx.boxes);
    return ShowInsertCardPrompt(boxes, false, suffix);
}

void ReadAfterRetest(Context& ctx, uint16_t pn, int slot) {
    ctx.status.showStatus(kReadText);
    MsgAnswer answer = MsgAnswer::Ok;
    ReadResult result = ReadResult::Done;
    do {
        answer = MsgAnswer::Ok;
        if (CheckCardReady(ctx, pn) == CardReadiness::InsertCard)
            answer = AskForCard(ctx, pn, ctx.state.tables.terminal[slot].IsMobile);
        if (answer != MsgAnswer::Ok)
            break;
        ctx.status.showStatus(kCardDataReadingText);
        result = ReadInsuranceCard(ctx, pn);
        ShowTerminalStatus(ctx.state.tables, slot, ctx.state.ui.statusPages);
        ctx.status.showStatus(kCardDataShownText);
    } while (result == ReadResult::TryAgain);
    ctx.status.showStatus(kCardDataShownText);
}

} // namespace

void RunDiagnosis(Context& ctx, SerialLine& line, uint16_t pn, const OptionSelector& selectOption) {
    const DiagnosisTexts& texts = Diagnosis();
    for (std::size_t step = 0; step < texts.steps.size(); ++step) {
        if (AnsweredYes(ctx.boxes, texts.steps[step].question))
            continue;
        ctx.boxes.inform(texts.steps[step].advice, MsgIcon::Critical, kDiagnosisTitle);
        // A wrong cable needs the PC switched off first; testing again makes no sense.
        if (step == 0)
            ShowStatusTab(ctx);
        else
            RetestPort(ctx, line, pn, selectOption);
        return;
    }
    ctx.boxes.inform(texts.nothingElseKnown, MsgIcon::Exclamation, kDiagnosisTitle);
    ShowStatusTab(ctx);
}

void RetestPort(Context& ctx, SerialLine& line, uint16_t pn, const OptionSelector& selectOption) {
    AppState& state = ctx.state;
    const int slot = SlotOfPort(pn);
    const int option = slot - 1;
    SetBusy(ctx, true);
    ctx.status.showStatus(PortTestingText(pn));
    AdvanceProgress(ctx, 25);

    ShowFrameX(state.ui, kFrameWait);
    TestPort(ctx, line, pn);
    ShowFrameX(state.ui, kFrameEmpty);

    const PortStatus& port = state.tables.port[slot];
    state.ui.options[std::size_t(option)].enabled = port.PortPresent && !port.PortBusy;
    AdvanceProgress(ctx, 25);

    const TerminalInfo& info = state.tables.terminal[slot];
    if (info.Responding)
        ReadAfterRetest(ctx, pn, slot);

    state.ui.options[std::size_t(option)].checked = false;
    if (info.Responding && info.HasCardData) {
        ShowFrameX(state.ui, kFrameCardData);
        ctx.status.showStatus(kCardDataShownText);
    } else {
        ShowStatusTab(ctx);
    }
    if (selectOption)
        selectOption(option);
    SetProgress(ctx, 0);
    SetBusy(ctx, false);
}

} // namespace kc

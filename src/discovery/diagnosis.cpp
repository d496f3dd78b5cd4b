#include "discovery/diagnosis.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/message_boxes.h"
#include "base/progress.h"
#include "base/status_line.h"
#include "cards/card_ready_check.h"
#include "cards/read_insurance_card.h"
#include "cards/read_loop.h"
#include "discovery/diagnosis_texts.h"
#include "discovery/port_names.h"
#include "discovery/port_test.h"

namespace kc {
namespace {

const QString kStatusShown = QStringLiteral("Der MKT Status wird angezeigt");
const QString kReadText = QStringLiteral("Die Krankenversichertendaten lesen");
const QString kReadingText = QStringLiteral("Die Krankenversichertendaten werden gelesen");
const QString kShownText = QStringLiteral("Die Krankenversichertendaten werden angezeigt");

bool AnsweredYes(MessageBoxes& boxes, const QString& question) {
    return boxes.ask({question, kDiagnosisTitle, MsgButtons::YesNo, MsgIcon::Question, false}) == MsgAnswer::Yes;
}

void ShowStatusTab(Context& context) {
    ShowFrameX(context.state.ui, kFrameStatus);
    context.status.showStatus(kStatusShown);
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

MsgAnswer AskForCard(Context& context, uint16_t pn, bool mobile) {
    const QString suffix = QString::number(pn) + QStringLiteral(") ");
    if (mobile)
        return ShowInsertCardPrompt(context.boxes, true, suffix);
    OkDefaultBoxes boxes(context.boxes);
    return ShowInsertCardPrompt(boxes, false, suffix);
}

void ReadAfterRetest(Context& context, uint16_t pn, int slot) {
    context.status.showStatus(kReadText);
    MsgAnswer answer = MsgAnswer::Ok;
    int16_t result = 0;
    do {
        answer = MsgAnswer::Ok;
        if (CheckCardReady(context, pn) == 0)
            answer = AskForCard(context, pn, context.state.tables.terminal[slot].IsMobile);
        if (answer != MsgAnswer::Ok)
            break;
        context.status.showStatus(kReadingText);
        result = ReadInsuranceCard(context, pn);
        ShowTerminalStatus(context.state.tables, slot, context.state.ui.statusPages);
        context.status.showStatus(kShownText);
    } while (result > 0);
    context.status.showStatus(kShownText);
}

} // namespace

void RunDiagnosis(Context& context, SerialLine& line, uint16_t pn, const OptionSelector& selectOption) {
    const DiagnosisTexts& texts = Diagnosis();
    for (std::size_t step = 0; step < texts.steps.size(); ++step) {
        if (AnsweredYes(context.boxes, texts.steps[step].question))
            continue;
        context.boxes.inform(texts.steps[step].advice, MsgIcon::Critical, kDiagnosisTitle);
        // A wrong cable needs the PC switched off first; testing again makes no sense.
        if (step == 0)
            ShowStatusTab(context);
        else
            RetestPort(context, line, pn, selectOption);
        return;
    }
    context.boxes.inform(texts.nothingElseKnown, MsgIcon::Exclamation, kDiagnosisTitle);
    ShowStatusTab(context);
}

void RetestPort(Context& context, SerialLine& line, uint16_t pn, const OptionSelector& selectOption) {
    AppState& state = context.state;
    const int slot = SlotOfPort(pn);
    const int option = slot - 1;
    SetBusy(context, true);
    context.status.showStatus(PortTestingText(pn));
    AdvanceProgress(context, 25);

    ShowFrameX(state.ui, kFrameWait);
    TestPort(context, line, pn);
    ShowFrameX(state.ui, kFrameEmpty);

    const PortStatus& port = state.tables.port[slot];
    state.ui.options[std::size_t(option)].enabled = port.PortPresent && !port.PortBusy;
    AdvanceProgress(context, 25);

    const TerminalInfo& info = state.tables.terminal[slot];
    if (info.Responding)
        ReadAfterRetest(context, pn, slot);

    state.ui.options[std::size_t(option)].checked = false;
    if (info.Responding && info.HasCardData) {
        ShowFrameX(state.ui, kFrameCardData);
        context.status.showStatus(kShownText);
    } else {
        ShowStatusTab(context);
    }
    if (selectOption)
        selectOption(option);
    SetProgress(context, 0);
    SetBusy(context, false);
}

} // namespace kc

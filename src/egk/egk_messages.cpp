// SPDX-License-Identifier: Apache-2.0
#include "egk/egk_messages.h"

#include "base/context.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"
#include "terminal/terminal_session.h"

namespace kc {

void ShowEgkMessage(MessageBoxes& boxes, const QString& text) {
    boxes.inform(text, MsgIcon::Information);
}

QString EgkLine(const QString& text) {
    return text + kCrLf;
}

QString EgkBlock(const QString& text) {
    return text + kCrLf + kCrLf;
}

QString NoHealthApplicationText() {
    return EgkLine(QStringLiteral("Keine Gesundheitsanwendung ")) +
           EgkLine(QStringLiteral("DF.HCA (Health Care Application) ")) +
           EgkBlock(QStringLiteral("auf der Karte gefunden!"));
}

HcaSelection SelectHealthApplication(Context& ctx) {
    QString response;
    if (ctx.session.TransmitApdu(Commands().CmdSelectDfHca, kToCard, response) != OK)
        return HcaSelection::TransportFailed;
    const QString sw = StatusWord(response);
    if (sw == QLatin1String("9000"))
        return HcaSelection::Selected;
    if (sw == QLatin1String("6A82"))
        return HcaSelection::Missing;
    if (sw == QLatin1String("6283"))
        return HcaSelection::Deactivated;
    return HcaSelection::Refused;
}

QString HcaSelectionMessage(HcaSelection selection) {
    switch (selection) {
    case HcaSelection::TransportFailed:
        return EgkLine(QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!"));
    case HcaSelection::Missing:
        return NoHealthApplicationText();
    case HcaSelection::Deactivated:
        return EgkLine(QStringLiteral("Das DF.HCA (Health Care Application) ist deaktiviert!"));
    case HcaSelection::Refused:
        return EgkLine(QStringLiteral("Select DF HCA war nicht erfolgreich!"));
    case HcaSelection::Selected:
        break;
    }
    return {};
}

QString LoadFailureMessage(const QString& document, ReadResult result) {
    if (result == ReadResult::Done)
        return {};
    if (result == ReadResult::Refused)
        return EgkLine(QStringLiteral("Die Dekomprimierung der ") + document +
                       QStringLiteral(" Daten war nicht erfolgreich!"));
    return EgkLine(QStringLiteral("Error ") + document + QStringLiteral(" XML Daten!"));
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "base/card_display.h"

#include "base/clipboard.h"
#include "base/message_boxes.h"

namespace kc {
namespace {

constexpr int kEgkCaptionRows[] = {3, 4, 5, 15};

const std::array<QString, 4> kKvkCaptions = {QStringLiteral("VKNR:"), QStringLiteral("Versichertenstatus:"),
                                             QStringLiteral("Statusergänzung:"),
                                             QStringLiteral("Gültigkeitsdatum:")};
const std::array<QString, 4> kEgkCaptions = {
    QStringLiteral("WOP:"), QStringLiteral("Versichertenstatus_RSA:"), QStringLiteral("Rechtskreis:"),
    QStringLiteral("Gültigkeit (Ende):")};

// A label would take a single ampersand as an accelerator mark.
QString DoubleAmpersands(const QString& text) {
    QString shown = text;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void SetKindCaptions(CardDataView& view, const std::array<QString, 4>& captions) {
    for (std::size_t i = 0; i < captions.size(); ++i)
        view.captions[std::size_t(kEgkCaptionRows[i])] = captions[i];
}

} // namespace

std::array<QString, kCardRows> CardDataView::designCaptions() {
    return {QStringLiteral("Krankenkassenname:"),
            QStringLiteral("Krankenkassennummer:"),
            QStringLiteral("Versichertennummer:"),
            QStringLiteral("VKNR:"),
            QStringLiteral("Versichertenstatus:"),
            QStringLiteral("Statusergänzung:"),
            QStringLiteral("Titel:"),
            QStringLiteral("Vorname:"),
            QStringLiteral("Namenszusatz:"),
            QStringLiteral("Familienname:"),
            QStringLiteral("Geburtsdatum:"),
            QStringLiteral("Straße:"),
            QStringLiteral("Wohnsitzländercode:"),
            QStringLiteral("Postleitzahl:"),
            QStringLiteral("Ortsname:"),
            QStringLiteral("Gültigkeitsdatum:"),
            QStringLiteral("Einlesedatum:"),
            QStringLiteral("Zulassungsnummer:")};
}

QString StatusCaption(int slot, int row) {
    static const std::array<QString, kStatusRows> kCaptions = {QStringLiteral("Serielle Schnittstelle:"),
                                                               QStringLiteral("Baudrate:"),
                                                               QStringLiteral("MCT Modell:"),
                                                               QStringLiteral("Hersteller:"),
                                                               QStringLiteral("CT-Typ:"),
                                                               QStringLiteral("Software Version:"),
                                                               QStringLiteral("Ausgabemedium:"),
                                                               QStringLiteral("PnP Device ID:")};
    if (slot == 5 && row == 0)
        return QStringLiteral("Schnittstelle:");
    return kCaptions.at(std::size_t(row));
}

void ShowInsuredRecord(const SlotTables& tables, int slot, CardDataView& view) {
    const InsuredRecord& record = tables.insured[slot];
    const TerminalInfo& info = tables.terminal[slot];
    for (int row = 0; row <= 15; ++row)
        view.values[std::size_t(row)] = DoubleAmpersands(record[std::size_t(row)]);
    view.frameCaption = QStringLiteral("Krankenversicherten Kartendaten(Karte)");
    if (info.IsMobile) {
        view.frameCaption = QStringLiteral("Krankenversicherten Kartendaten(Mobil)");
        view.mobileRowsVisible = true;
        view.values[16] = record[Einlesedatum];
        view.values[17] = record[Zulassungsnummer];
    } else {
        view.mobileRowsVisible = false;
    }
    if (info.IsEgk) {
        view.egkButtonVisible = true;
        view.frameCaption =
            info.IsMobile
                ? QStringLiteral("eGK VSDaten(Mobil) abgebildet auf die Krankenversicherten Kartendaten")
                : QStringLiteral("eGK VSDaten(Karte) abgebildet auf die Krankenversicherten Kartendaten");
        SetKindCaptions(view, kEgkCaptions);
    } else {
        view.egkButtonVisible = false;
        SetKindCaptions(view, kKvkCaptions);
    }
}

void ShowTerminalStatus(const SlotTables& tables, int slot, StatusPages& pages) {
    const PortStatus& port = tables.port[slot];
    const TerminalInfo& info = tables.terminal[slot];
    pages[slot].values = {port.InterfaceText.str(), port.BaudRateText.str(), info.ModelText.str(),
                          info.Manufacturer.str(),  info.CtType.str(),       info.SoftwareVersion.str(),
                          info.OutputMedium.str(),  info.PnpDeviceId.str()};
}

QString InsuredRecordClipboardText(const SlotTables& tables, int slot) {
    const InsuredRecord& record = tables.insured[slot];
    QString text;
    for (int field = 0; field <= 15; ++field)
        text += record[std::size_t(field)] + kCrLf;
    if (tables.terminal[slot].IsMobile)
        text += record[Einlesedatum] + kCrLf + record[Zulassungsnummer] + kCrLf;
    return text;
}

void CopyInsuredRecord(const SlotTables& tables, int slot, Clipboard& clipboard) {
    clipboard.clear();
    clipboard.setText(InsuredRecordClipboardText(tables, slot));
}

void ResetSlotDisplay(SlotTables& tables, int slot, CardDataView& view) {
    InsuredRecord& record = tables.insured[slot];
    for (QString& value : view.values)
        value.clear();
    for (QString& field : record)
        field.clear();
    TerminalInfo& info = tables.terminal[slot];
    info.HasCardData = false;
    if (!info.IsEgk)
        return;
    info.IsEgk = false;
    view.egkButtonVisible = false;
    EgkResults& egk = tables.egk[slot];
    egk.PdElementList.fill({});
    egk.VdElementList.fill({});
    egk.GvdElementList.fill({});
    egk.FirstAddress = {};
    for (QString& xml : egk.EgkXmlText)
        xml.clear();
}

} // namespace kc

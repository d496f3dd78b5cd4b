// SPDX-License-Identifier: Apache-2.0
#include "json_report.h"

#include "base/card_display.h"
#include "console_io.h"
#include "console_run.h"
#include "console_text.h"
#include "discovery/port_names.h"
#include "egk/egk_info_data.h"
#include "presenter/library_info.h"
#include "presenter/scan_result.h"
#include "presenter/version_text.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace kc::cli {
namespace {

// The insured person's fields by their own names, in the order of the record.
const std::array<const char*, kInsuredFieldCount> kFieldNames = {"Krankenkassenname",
                                                                 "Krankenkassennummer",
                                                                 "Versichertennummer",
                                                                 "VKNR",
                                                                 "Versichertenstatus",
                                                                 "Statusergaenzung",
                                                                 "Titel",
                                                                 "Vorname",
                                                                 "Namenszusatz",
                                                                 "Familienname",
                                                                 "Geburtsdatum",
                                                                 "Strasse",
                                                                 "Wohnsitzlaendercode",
                                                                 "Postleitzahl",
                                                                 "Ortsname",
                                                                 "Gueltigkeitsdatum",
                                                                 "Pruefsumme",
                                                                 "Einlesedatum",
                                                                 "Zulassungsnummer",
                                                                 "Pruefsummezusatz"};

// The row of the card data frame that shows a field; -1 for the two checksums,
// which the window never shows.
int RowOfField(int field) {
    if (field <= Gueltigkeitsdatum)
        return field;
    if (field == Einlesedatum)
        return 16;
    if (field == Zulassungsnummer)
        return 17;
    return -1;
}

const std::array<const char*, kDocKindCount> kDocumentNames = {"PD", "VD", "GVD"};

QString IconName(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Critical:
        return QStringLiteral("critical");
    case MsgIcon::Question:
        return QStringLiteral("question");
    case MsgIcon::Exclamation:
        return QStringLiteral("exclamation");
    case MsgIcon::Information:
        return QStringLiteral("information");
    case MsgIcon::None:
        break;
    }
    return QStringLiteral("none");
}

QJsonValue EndName(RunEnd end) {
    switch (end) {
    case RunEnd::EndOfInput:
        return QStringLiteral("end_of_input");
    case RunEnd::Interrupted:
        return QStringLiteral("interrupted");
    case RunEnd::None:
        break;
    }
    return QJsonValue::Null;
}

QJsonArray ButtonNames(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return {ButtonWord(MsgAnswer::Ok)};
    case MsgButtons::OkCancel:
        return {ButtonWord(MsgAnswer::Ok), ButtonWord(MsgAnswer::Cancel)};
    case MsgButtons::YesNo:
        return {ButtonWord(MsgAnswer::Yes), ButtonWord(MsgAnswer::No)};
    }
    return {};
}

QJsonObject MessageObject(const ShownMessage& shown) {
    const QJsonArray buttons = ButtonNames(shown.request.buttons);
    const int preset = buttons.size() > 1 && shown.request.secondButtonDefault ? 1 : 0;
    return {{QStringLiteral("title"), shown.request.title},
            {QStringLiteral("text"), WithLineFeeds(shown.request.text)},
            {QStringLiteral("icon"), IconName(shown.request.icon)},
            {QStringLiteral("buttons"), buttons},
            {QStringLiteral("default"), buttons.at(preset)},
            {QStringLiteral("answer"), ButtonWord(shown.answer)},
            {QStringLiteral("answered_by"), SourceName(shown.source)}};
}

QJsonObject TerminalObject(const TerminalInfo& info) {
    return {{QStringLiteral("responding"), info.Responding},
            {QStringLiteral("model"), WithoutTrailingBlanks(info.ModelText.str())},
            {QStringLiteral("manufacturer"), WithoutTrailingBlanks(info.Manufacturer.str())},
            {QStringLiteral("ct_type"), WithoutTrailingBlanks(info.CtType.str())},
            {QStringLiteral("software_version"), WithoutTrailingBlanks(info.SoftwareVersion.str())},
            {QStringLiteral("output_medium"), WithoutTrailingBlanks(info.OutputMedium.str())},
            {QStringLiteral("pnp_device_id"), WithoutTrailingBlanks(info.PnpDeviceId.str())},
            {QStringLiteral("mobile"), info.IsMobile},
            {QStringLiteral("locked"), info.IsLocked},
            {QStringLiteral("usb_virtual_com"), info.ViaUsbVirtualCom}};
}

QJsonArray StatusPageArray(const AppState& state, int slot) {
    QJsonArray rows;
    for (int row = 0; row < kStatusRows; ++row)
        rows.append(
            QJsonObject{{QStringLiteral("caption"), StatusCaption(slot, row)},
                        {QStringLiteral("value"),
                         WithoutTrailingBlanks(state.ui.statusPages[slot].values[std::size_t(row)])}});
    return rows;
}

QString ValidationOf(const AppState& state, const EgkResults& results, int index) {
    if (results.EgkXmlText[std::size_t(index)].isEmpty())
        return QStringLiteral("none");
    if (!state.ValidationEnabled)
        return QStringLiteral("off");
    return results.EgkValidationWarning[std::size_t(index)] ? QStringLiteral("failed")
                                                            : QStringLiteral("passed");
}

QJsonObject EgkObject(const AppState& state, int slot) {
    const EgkResults& results = state.tables.egk[slot];
    QJsonArray documents;
    for (int index = 0; index < kDocKindCount; ++index) {
        documents.append(QJsonObject{
            {QStringLiteral("name"), QString::fromLatin1(kDocumentNames[std::size_t(index)])},
            {QStringLiteral("loaded"), DocumentLoaded(results, index)},
            {QStringLiteral("protected"), index == DocIndex(DocKind::Gvd) && results.GvdProtected},
            {QStringLiteral("validation"), ValidationOf(state, results, index)},
            {QStringLiteral("validation_text"),
             WithLineFeeds(results.EgkValidationText[std::size_t(index)])}});
    }
    return {{QStringLiteral("icc_serial_number"), results.IccSerialNumber},
            {QStringLiteral("vsd_status"), results.VsdStatus},
            {QStringLiteral("documents"), documents}};
}

QJsonValue CardValue(const AppState& state, int slot) {
    const TerminalInfo& info = state.tables.terminal[slot];
    if (!info.HasCardData)
        return QJsonValue::Null;
    CardDataView view;
    ShowInsuredRecord(state.tables, slot, view);
    QJsonArray fields;
    for (int field = 0; field < kInsuredFieldCount; ++field) {
        const int row = RowOfField(field);
        const bool shown = row >= 0 && (row < 16 || view.mobileRowsVisible);
        fields.append(
            QJsonObject{{QStringLiteral("name"), QString::fromLatin1(kFieldNames[std::size_t(field)])},
                        {QStringLiteral("caption"),
                         row >= 0 ? QJsonValue(view.captions[std::size_t(row)]) : QJsonValue::Null},
                        {QStringLiteral("shown"), shown},
                        {QStringLiteral("value"), state.tables.insured[slot][std::size_t(field)]}});
    }
    return QJsonObject{
        {QStringLiteral("kind"), info.IsEgk ? QStringLiteral("egk") : QStringLiteral("kvk")},
        {QStringLiteral("source"), info.IsMobile ? QStringLiteral("handheld") : QStringLiteral("card")},
        {QStringLiteral("caption"), view.frameCaption},
        {QStringLiteral("complete"), CardDataComplete(state.tables, slot)},
        {QStringLiteral("fields"), fields},
        {QStringLiteral("egk"), info.IsEgk ? QJsonValue(EgkObject(state, slot)) : QJsonValue::Null}};
}

QJsonObject PortObject(const AppState& state, const ReportedPort& port) {
    return {{QStringLiteral("pn"), int(port.pn)},
            {QStringLiteral("name"), state.ui.tabCaptions[std::size_t(port.slot - 1)]},
            {QStringLiteral("status_page"), StatusPageArray(state, port.slot)},
            {QStringLiteral("terminal"), TerminalObject(state.tables.terminal[port.slot])},
            {QStringLiteral("card"), CardValue(state, port.slot)}};
}

QJsonValue ScanValue(const AppState& state, const ScanResultModel* result) {
    if (!result)
        return QJsonValue::Null;
    QJsonArray further;
    for (int i = 0; i < state.ui.listEntries.size(); ++i)
        further.append(QJsonObject{{QStringLiteral("pn"), int(state.tables.furtherPorts[1][std::size_t(i)])},
                                   {QStringLiteral("entry"), state.ui.listEntries[i]}});
    return QJsonObject{{QStringLiteral("result"), QJsonArray::fromStringList(ScanResultText(*result))},
                       {QStringLiteral("further_ports"), further}};
}

QJsonObject LibraryObject(const LibraryInfo& library) {
    return {{QStringLiteral("requested"), library.requested},
            {QStringLiteral("path"), library.path.isEmpty() ? QJsonValue::Null : QJsonValue(library.path)},
            {QStringLiteral("simulator"), library.simulator},
            {QStringLiteral("entry_points"), QJsonArray::fromStringList(library.entryPoints)}};
}

} // namespace

QString SourceName(AnswerSource source) {
    switch (source) {
    case AnswerSource::Person:
        return QStringLiteral("person");
    case AnswerSource::EmptyLine:
        return QStringLiteral("empty_line");
    case AnswerSource::OnlyButton:
        return QStringLiteral("only_button");
    case AnswerSource::Batch:
        return QStringLiteral("batch");
    case AnswerSource::EraseOption:
        return QStringLiteral("erase_option");
    case AnswerSource::RepeatedQuestion:
        return QStringLiteral("repeated_question");
    case AnswerSource::EndOfInput:
        return QStringLiteral("end_of_input");
    case AnswerSource::AfterEnd:
        return QStringLiteral("after_end_of_input");
    case AnswerSource::Interrupted:
        return QStringLiteral("interrupted");
    }
    return {};
}

QJsonObject BuildReport(const ConsoleRun& run, const ReportSubject& subject, const LibraryInfo& library) {
    QJsonArray ports;
    for (const ReportedPort& port : subject.ports)
        ports.append(PortObject(run.state, port));
    QJsonArray messages;
    for (const ShownMessage& shown : run.boxes.shown())
        messages.append(MessageObject(shown));
    for (const QString& notice : subject.notices)
        messages.append(QJsonObject{{QStringLiteral("notice"), notice}});
    return {{QStringLiteral("program"), QStringLiteral("kartocheck-cli")},
            {QStringLiteral("version"), ProgramVersion()},
            {QStringLiteral("command"), subject.command},
            {QStringLiteral("exit_status"), subject.exitStatus},
            {QStringLiteral("ended_by"), EndName(run.boxes.runEnd())},
            {QStringLiteral("validation"), run.state.ValidationEnabled},
            {QStringLiteral("library"), LibraryObject(library)},
            {QStringLiteral("ports"), ports},
            {QStringLiteral("scan"), ScanValue(run.state, subject.scanResult)},
            {QStringLiteral("messages"), messages}};
}

void PrintReport(Console& console, const QJsonObject& report) {
    console.data.write(QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Indented)));
}

} // namespace kc::cli

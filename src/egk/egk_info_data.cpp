// SPDX-License-Identifier: Apache-2.0
#include "egk/egk_info_data.h"

#include <QStringList>

namespace kc {
namespace {

const QString kStatusToolTip = QStringLiteral("Status der Versichertenstammdaten (VSD). (0x30) 0 = Keine "
                                              "Transaktion ist offen. (0x31) 1 = Transaktion ist "
                                              "offen.");
const QString kTimestampToolTip =
    QStringLiteral("Timestamp der letzten Aktualisierung der VSD auf dem VSDD im Format YYYYMMDDhhmmss");
const QString kVersionToolTip =
    QStringLiteral("Versionsnummer der Versichertenstammdaten (VSD) Struktur im Format XXXYYYZZZZ. [BCD]");
const QString kReservedToolTip = QStringLiteral("Reserviert [BINÄR]");
const QString kHexMark = QStringLiteral("0x");

PanelLabel Plain(const QString& caption) {
    return {caption, QString()};
}
PanelLabel Tipped(const QString& caption, const QString& toolTip) {
    return {caption, toolTip};
}
PanelLabel KeepTip(const QString& caption) {
    return {caption, std::nullopt};
}

QString Tlv(const MobileVsdRecord& r, MobileVsdField tag, MobileVsdField length, MobileVsdField value) {
    return kHexMark + r[tag] + r[length] + r[value];
}

struct DocumentView {
    QString tableHeading;
    QString valueHeader;
    QString xmlTitle;
    DocKind kind;
};

const DocumentView* ViewOf(int index) {
    static const DocumentView kViews[] = {
        {QStringLiteral("Persönliche Versichertendaten:"), QStringLiteral("Versichertendaten"),
         QStringLiteral("Persönliche Versichertendaten (XML)"), DocKind::Pd},
        {QStringLiteral("Allgemeine Versicherungsdaten:"), QStringLiteral("Versicherungsdaten"),
         QStringLiteral("Allgemeine Versicherungsdaten (XML)"), DocKind::Vd},
        {QStringLiteral("Geschützte Versichertendaten:"), QStringLiteral("Versichertendaten"),
         QStringLiteral("Geschützte Versichertendaten (XML)"), DocKind::Gvd},
    };
    return index >= 0 && index < 3 ? &kViews[index] : nullptr;
}

template <std::size_t N> std::vector<ElementEntry> NamedEntries(const std::array<ElementEntry, N>& list) {
    std::vector<ElementEntry> rows;
    for (const ElementEntry& entry : list) {
        if (!entry.name.isEmpty())
            rows.push_back(entry);
    }
    return rows;
}

std::vector<ElementEntry> RowsOf(const EgkResults& results, DocKind kind) {
    switch (kind) {
    case DocKind::Pd:
        return NamedEntries(results.PdElementList);
    case DocKind::Vd:
        return NamedEntries(results.VdElementList);
    case DocKind::Gvd:
        return NamedEntries(results.GvdElementList);
    }
    return {};
}

} // namespace

QString Piece(const QString& text, int position, int count) {
    if (position < 1 || count < 1 || position > text.size())
        return {};
    return text.mid(position - 1, count);
}

EgkCardPanel StationaryCardPanel(const QString& iccsn, const QString& vsd) {
    EgkCardPanel panel;
    panel.frameCaption = QStringLiteral("Stationäres Kartenterminal:");
    panel.command4ToolTip = QStringLiteral("Informationen zur Chipkarte. ");
    panel.command4Caption = QStringLiteral("ICC Info");
    panel.labels = {
        Plain(QStringLiteral("eGK EF.GDO: Integrated Circuit Card Serial Number (ICCSN)")),
        Plain(QStringLiteral("ICC Serial Number:       ") + kHexMark + iccsn),
        Plain(QStringLiteral("Major Industry Identifier: ") + Piece(iccsn, 1, 2)),
        Plain(QStringLiteral("Country Code:              ") + QStringLiteral("  ") + Piece(iccsn, 3, 3)),
        Plain(QStringLiteral("Issuer Identifier:         ") + QStringLiteral("     ") + Piece(iccsn, 6, 5)),
        Plain(QStringLiteral("Serial Number (SN):        ") + QStringLiteral("          ") +
              Piece(iccsn, 11, 10)),
        KeepTip(QStringLiteral("eGK DF.HCA(Health Care Application) EF.StatusVD: VSD-Status-Container")),
        Plain(QStringLiteral("Containerinhalt: ") + kHexMark + vsd),
        Tipped(QStringLiteral("Status:            ") + Piece(vsd, 1, 2), kStatusToolTip),
        Tipped(QStringLiteral("Timestamp:           ") + Piece(vsd, 3, 28), kTimestampToolTip),
        Tipped(QStringLiteral("Version:                                         ") + Piece(vsd, 31, 10),
               kVersionToolTip),
        Tipped(QStringLiteral("Reserviert:                                                ") +
                   Piece(vsd, 41, 10),
               kReservedToolTip),
    };
    return panel;
}

EgkCardPanel MobileCardPanel(const MobileVsdRecord& r) {
    const QString& status = r[StatusValue];
    EgkCardPanel panel;
    panel.frameCaption = QStringLiteral("Mobiles Kartenterminal:");
    panel.command4ToolTip = QStringLiteral("Informationen zum gespeicherten VSD-Status. ");
    panel.command4Caption = QStringLiteral("VSD Info");
    panel.labels = {
        KeepTip(QStringLiteral("Gespeicherter VSD-Status-Datensatz aus dem mobilen Kartenterminal")),
        Plain(QStringLiteral("VSDStatus: ") + Tlv(r, StatusTag, StatusLength, StatusValue)),
        Tipped(QStringLiteral("Status:          ") + Piece(status, 1, 2), kStatusToolTip),
        Tipped(QStringLiteral("Timestamp:         ") + Piece(status, 3, 28), kTimestampToolTip),
        Tipped(QStringLiteral("Version:                                       ") + Piece(status, 31, 10),
               kVersionToolTip),
        Tipped(QStringLiteral("Reserviert:                                              ") +
                   Piece(status, 41, 10),
               kReservedToolTip),
        KeepTip(QStringLiteral("+ die erweiterten Daten des VSD-Status-Datensates:")),
        Plain(QStringLiteral("Einlesedatum:     ") + r[ReadDateText]),
        Plain(QStringLiteral("TLV: ") + Tlv(r, ReadDateTag, ReadDateLength, ReadDateValue)),
        Plain(QStringLiteral("Zulassungsnummer: ") + r[ApprovalText]),
        Plain(QStringLiteral("TLV: ") + Tlv(r, ApprovalTag, ApprovalLength, ApprovalValue)),
        Plain(QStringLiteral("Prüfsumme XOR (TLV): ") + Tlv(r, ChecksumTag, ChecksumLength, ChecksumValue)),
    };
    return panel;
}

EgkCardPanel CardPanelForSlot(const SlotTables& tables, int slot) {
    const EgkResults& egk = tables.egk[slot];
    if (!tables.terminal[slot].IsMobile)
        return StationaryCardPanel(egk.IccSerialNumber, egk.VsdStatus);
    return MobileCardPanel(egk.MobileVsd);
}

EgkTableView TableView(const EgkResults& results, int index) {
    EgkTableView view;
    view.headerName = QStringLiteral("Elementnamen");
    const DocumentView* document = ViewOf(index);
    if (!document)
        return view;
    view.label1 = QStringLiteral("\r\n") + document->tableHeading;
    view.headerValue = document->valueHeader;
    view.rows = RowsOf(results, document->kind);
    view.label8 = results.EgkValidationText[std::size_t(DocIndex(document->kind))];
    view.command6Visible = results.EgkValidationWarning[std::size_t(DocIndex(document->kind))];
    return view;
}

EgkXmlView XmlView(const EgkResults& results, int index) {
    const DocumentView* document = ViewOf(index);
    if (!document)
        return {};
    return {QStringLiteral("Gelesene und dekomprimierte Daten:\r\n") + document->xmlTitle,
            results.EgkXmlText[std::size_t(DocIndex(document->kind))]};
}

QString ValidationHelpText() {
    static const QStringList kLines = {
        QStringLiteral("Für eine lokale Validierung muss MSXML 4.0 SP2 (Microsoft XML Basisdienste) "),
        QStringLiteral("auf Ihrem System installiert sein! "),
        QString(),
        QStringLiteral("KartoCheck verwendet zur lokalen Validierung der XML Daten vorgegebene Schemas für "),
        QStringLiteral("UC_allgemeineVersicherungsdatenXML, "),
        QStringLiteral("UC_PersoenlicheVersichertendatenXML und "),
        QStringLiteral("UC_geschuetzteVersichertendatenXML, "),
        QStringLiteral("die das Attribut CDM_VERSION mit den fixen Wert 5.1.0 vorgeben."),
        QString(),
        QStringLiteral("Zur Validierung können auch andere Schemas verwendet werden."),
        QString(),
        QStringLiteral("1. Klicken Sie im Menü Datei auf Validierung."),
        QStringLiteral("2. Klicken Sie im Menü Datei auf Neues Schema laden."),
        QStringLiteral("3. Laden Sie eine entsprechende Schemadatei."),
        QStringLiteral("4. Klicken Sie auf Anzeigefelder zurücksetzen."),
        QStringLiteral("5. Klicken Sie auf Krankenversichertendaten lesen."),
    };
    QString text;
    for (const QString& line : kLines)
        text += line + kCrLf;
    return text + kCrLf;
}

MessageRequest ValidationHelpMessage() {
    return {ValidationHelpText(), kBoxTitle, MsgButtons::Ok, MsgIcon::Information, false};
}

} // namespace kc

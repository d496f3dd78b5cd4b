#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "egk/egk_card_reader.h"

#include <functional>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::Info;

const QString kSelectHca = QStringLiteral("00A4040C06D27600000102");
const QString kSelectVd = QStringLiteral("00A4020C02D002");
const QString kSelectPd = QStringLiteral("00A4020C02D001");
const QString kSelectGvd = QStringLiteral("00A4020C02D003");
const QString kSelectStatus = QStringLiteral("00A4020C02D00C");
const QString kHeckhausen = QStringLiteral("Heckhausén");
const QString kKasse = QStringLiteral("gematik Musterkasse1GKV");

// "[terminal desk]" with the 80276883110000017222 images, EF.VD as given, then the extra lines.
QString Desk(const QString& extra, const QString& vd = {}) {
    const QString base = QStringLiteral("@egk/../cards/EGKG2_80276883110000017222__EF_");
    return QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\ncard.gdo = %1GDO.hex\ncard.vd = %2\n"
                          "card.pd = %1PD.hex\ncard.gvd = %1GVD.hex\ncard.statusvd = %1StatusVD.hex\n")
               .arg(base, vd.isEmpty() ? base + QStringLiteral("VD.hex") : vd) +
           extra;
}

using Check = std::function<void(test::SimHarness&)>;

// The card reader run once on slot 5 (USB device 1) of a fresh harness.
struct EgkRead {
    explicit EgkRead(const QString& scenario, const Check& prepare = {})
        : h(test::Harness(scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("egk/") + scenario
                                                                   : scenario)) {
        if (prepare)
            prepare(*h);
        EXPECT_EQ(h->session.OpenTerminal(8192), 0);
        h->clearLog();
        result = ReadEgkFromCard(h->ctx, 8192);
    }
    const InsuredRecord& fields() const { return h->state.tables.insured[5]; }
    EgkResults& egk() const { return h->state.tables.egk[5]; }
    int gvdRows() const {
        int rows = 0;
        for (const ElementEntry& entry : egk().GvdElementList)
            rows += entry.name.isEmpty() ? 0 : 1;
        return rows;
    }

    std::unique_ptr<test::SimHarness> h;
    ReadResult result = ReadResult::Failed;
};

TEST(EgkCardReaderTest, CardWithTheGvdInEfVdIsReadInTheFixedOrder) {
    const EgkRead r(QStringLiteral("stationary_gvd_in_vd.scn"));
    EXPECT_EQ(r.result, ReadResult::Done);
    EXPECT_EQ(r.h->apduLog(),
              QStringList({"20110100",   "00B0820000", kSelectHca, kSelectVd,     "00B0000004",
                           "00B00008FE", "00B00106A9", kSelectHca, kSelectPd,     "00B0000002",
                           "00B00002FE", "00B001007E", kSelectHca, kSelectVd,     "00B0000404",
                           "00B001AFFE", "00B002AD02", kSelectHca, kSelectStatus, "00B0000019"}));
    EXPECT_TRUE(r.h->boxes.shown.empty());
    EXPECT_EQ(r.egk().IccSerialNumber, QStringLiteral("80276883110000017222"));
    EXPECT_EQ(r.egk().VsdStatus, QStringLiteral("30323031353038303330373531303500500200000030000004"));
    EXPECT_EQ(r.fields()[Familienname], kHeckhausen);
    EXPECT_EQ(r.fields()[Vorname], QStringLiteral("Tina"));
    EXPECT_EQ(r.fields()[Krankenkassenname], kKasse);
    EXPECT_EQ(r.fields()[VKNR], QStringLiteral("46"));
    EXPECT_GT(r.gvdRows(), 0);
    EXPECT_EQ(r.h->state.tables.terminal[5].OutputMedium.str().trimmed(), QStringLiteral("PC (ASN-1)"));
    // The session stays open for the driver.
    EXPECT_TRUE(r.h->session.SessionOpen());
}

TEST(EgkCardReaderTest, ReadDriverMarksTheSlotAsHoldingEgkDataOnlyAfterAnEgkRead) {
    for (const char* scenario : {"stationary_gvd_in_vd.scn", "memory_card_reset_9000.scn"}) {
        const bool egk = QLatin1String(scenario).startsWith(QLatin1String("stationary"));
        const auto h = test::Harness(QStringLiteral("egk/") + QLatin1String(scenario));
        EXPECT_EQ(ReadInsuranceCard(h->ctx, 8192), egk ? ReadResult::Done : ReadResult::Failed) << scenario;
        EXPECT_EQ(h->state.tables.terminal[5].IsEgk, egk) << scenario;
        EXPECT_EQ(h->state.tables.terminal[5].HasCardData, egk) << scenario;
        EXPECT_FALSE(h->session.SessionOpen());
        EXPECT_EQ(h->apduLog().last(), QStringLiteral("close"));
    }
}

TEST(EgkCardReaderTest, GvdOffsetsThatNameNoStretchLeadToEfGvd) {
    for (const QString& scenario : {QStringLiteral("stationary_gvd_in_ef_gvd.scn"),
                                    Desk({}, QStringLiteral("@egk/cards/gvd_in_ef_gvd_zero__EF_VD.hex"))}) {
        const EgkRead r(scenario);
        EXPECT_EQ(r.result, ReadResult::Done);
        const QStringList log = r.h->apduLog();
        const auto gvdFile = log.indexOf(kSelectGvd);
        ASSERT_GE(gvdFile, 0) << qPrintable(scenario);
        EXPECT_EQ(log.mid(gvdFile - 2, 6), QStringList({kSelectVd, "00B0000404", kSelectGvd, "00B0000002",
                                                        "00B00002FE", "00B0010002"}));
        EXPECT_TRUE(r.h->boxes.shown.empty());
        EXPECT_GT(r.gvdRows(), 0);
    }
}

TEST(EgkCardReaderTest, SerialNumberFromEfGdo) {
    struct Case {
        const char* answer;
        const char* serial;
    };
    const Case cases[] = {
        Case("5A0A80276883110000017222 9000", "80276883110000017222"),
        Case("6A82", ""),
        // A length byte claiming more than came: what came, never the status word.
        Case("5A0F8027688311 9000", "8027688311"),
        Case("5A 9000", ""),
        Case("-10", "unverändert"),
    };
    for (const auto& c : cases) {
        const EgkRead r(Desk(QStringLiteral("override 00B0820000 = %1\n").arg(QLatin1String(c.answer))),
                        [](test::SimHarness& h) {
                            h.state.tables.egk[5].IccSerialNumber = QStringLiteral("unverändert");
                        });
        EXPECT_EQ(r.result, ReadResult::Done);
        EXPECT_EQ(r.egk().IccSerialNumber, QString::fromUtf8(c.serial)) << c.answer;
    }
}

// VD and GVD as stretches of EF.VD, the PD in EF.PD, all of the given bytes.
QString Stretches(const char* bytes, bool oneByte) {
    const QString sizes = oneByte ? QStringLiteral("override 00B0000004 = 0001 0001 9000\n"
                                                   "override 00B0000404 = 0008 0008 9000\n"
                                                   "override 00B0000002 = 0001 9000\n"
                                                   "override 00B0000101 = %1 9000\n"
                                                   "override 00B0000801 = %1 9000\n"
                                                   "override 00B0000201 = %1 9000\n")
                                  : QStringLiteral("override 00B0000004 = 0008 0009 9000\n"
                                                   "override 00B0000404 = 0008 0009 9000\n"
                                                   "override 00B0000002 = 0002 9000\n"
                                                   "override 00B0000802 = %1 9000, %1 9000\n"
                                                   "override 00B0000202 = %1 9000\n");
    return Desk(sizes.arg(QLatin1String(bytes)));
}

TEST(EgkCardReaderTest, WhatGoesWrongIsNamedAndWhatWasReadIsKept) {
    const Check validate = [](test::SimHarness& h) { h.state.ValidationEnabled = true; };
    const Check noValidation = [](test::SimHarness& h) { h.state.ValidationEnabled = false; };
    const Check keepName = [](test::SimHarness& h) {
        h.state.tables.insured[5][Familienname] = QStringLiteral("vorher");
    };
    const auto field = [](InsuredField f, QString value) {
        return [f, value](test::SimHarness& h) { EXPECT_EQ(h.state.tables.insured[5][f], value); };
    };
    const auto status = [](qsizetype size) {
        return [size](test::SimHarness& h) { EXPECT_EQ(h.state.tables.egk[5].VsdStatus.size(), size); };
    };
    const QString gvdFile = QStringLiteral("@egk/cards/gvd_in_ef_gvd__EF_VD.hex");
    const QString noXml[] = {QStringLiteral("Error VD XML Daten!\r\n"),
                             QStringLiteral("Error PD XML Daten!\r\n"),
                             QStringLiteral("Error GVD XML Daten!\r\n")};
    const QString hcaOff = QStringLiteral("Das DF.HCA (Health Care Application) ist deaktiviert!\r\n");
    struct Case {
        QString scenario;
        ReadResult result;
        QStringList boxes;
        Check prepare = {};
        Check check = {};
    };
    const Case cases[] = {
        Case("stationary_gvd_protected.scn", ReadResult::Done,
             {QStringLiteral(
                 "Lesen geschützter Versichertendaten (EF.GVD) nicht möglich! \r\nEine Freischaltung z.B. "
                 "durch PIN Eingabe wird durch KartoCheck nicht unterstützt!\r\n")},
             {},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.apduLog().mid(h.apduLog().size() - 3),
                           QStringList({kSelectHca, kSelectStatus, "00B0000019"}));
                 EXPECT_EQ(h.state.tables.egk[5].VsdStatus.size(), 50);
                 EXPECT_EQ(h.state.tables.insured[5][Familienname], kHeckhausen);
             }),
        Case(Desk({}, QStringLiteral("@egk/cards/gvd_offsets_invalid__EF_VD.hex")), ReadResult::Done,
             {QStringLiteral("Keine gültigen GVD Daten im EF VD Container! \r\n\r\n")}, {},
             [](test::SimHarness& h) { EXPECT_FALSE(h.apduLog().contains(kSelectGvd)); }),
        Case("hca_deactivated.scn", ReadResult::Done, {hcaOff, hcaOff, hcaOff}, keepName,
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.egk[5].VsdStatus + h.state.tables.insured[5][Familienname],
                           QString());
                 EXPECT_EQ(h.state.tables.egk[5].IccSerialNumber, QStringLiteral("80276883110000017222"));
             }),
        Case("hca_missing.scn", ReadResult::Failed,
             {QStringLiteral(
                 "Keine Gesundheitsanwendung \r\nDF.HCA (Health Care Application) \r\nauf der Karte "
                 "gefunden!\r\n\r\n")},
             keepName, field(Familienname, QStringLiteral("vorher"))),
        Case("memory_card_reset_9000.scn", ReadResult::Failed,
             {QStringLiteral("Reset Chipkarte war nicht erfolgreich!\r\n")}, {},
             [](test::SimHarness& h) { EXPECT_EQ(h.apduLog(), QStringList({"20110100"})); }),
        Case(Desk(QStringLiteral("override 20110100 = -10\n")), ReadResult::Failed,
             {QStringLiteral("Kommando Reset Chipkarte war nicht erfolgreich!\r\n")}),
        Case("vd_792.scn", ReadResult::Done, {}, {}, field(Krankenkassenname, kKasse)),
        Case("vd_793.scn", ReadResult::Done, {QStringLiteral("Keine gültigen Daten in EF VD \r\n\r\n")}, {},
             field(Krankenkassenname, {})),
        Case("pd_848.scn", ReadResult::Done, {}, {}, field(Familienname, kHeckhausen)),
        Case("pd_849.scn", ReadResult::Done, {QStringLiteral("Keine gültigen Daten in EF PD \r\n\r\n")}, {},
             field(Familienname, {})),
        Case(Desk(QStringLiteral("override 00B0000004 = 000001AE 9000\n")), ReadResult::Done,
             {QStringLiteral("Keine gültigen Daten in EF VD \r\n\r\n")}),
        Case("pd_inflates_too_far.scn", ReadResult::Done,
             {QStringLiteral("Die Dekomprimierung der PD Daten war nicht erfolgreich!\r\n")}, {},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.insured[5][Familienname], QString());
                 EXPECT_EQ(h.state.tables.insured[5][Krankenkassenname], kKasse);
             }),
        Case("pd_unknown_encoding.scn", ReadResult::Done, {}, {}, field(Familienname, kHeckhausen)),
        Case("pd_not_gzip.scn", ReadResult::Done, {}, {},
             [](test::SimHarness& h) {
                 EXPECT_EQ(h.state.tables.insured[5][Familienname], QString());
                 EXPECT_EQ(h.state.tables.insured[5][Krankenkassenname], kKasse);
                 EXPECT_EQ(h.state.tables.egk[5].EgkXmlText[DocIndex(DocKind::Pd)],
                           QStringLiteral("Dies sind keine komprimierten Versichertendaten."));
             }),
        // The VD comes short with "end of file reached": the document is not loaded.
        Case(Desk(QStringLiteral("override 00B00008 = 1F8B08 6282\n")), ReadResult::Done,
             {QStringLiteral("Read EF VD war nicht erfolgreich!\r\n")}, {}, field(Krankenkassenname, {})),
        Case(Desk(QStringLiteral("override 00A4020C02D001 = 6A82\noverride 00A4020C02D002 = -10\n")),
             ReadResult::Done,
             {QStringLiteral("Kommando Select EF VD war nicht erfolgreich!\r\n"),
              QStringLiteral("Select EF PD war nicht erfolgreich!\r\n"),
              QStringLiteral("Kommando Select EF VD war nicht erfolgreich!\r\n")}),
        // A missing EF.StatusVD empties the status silently.
        Case(
            Desk(QStringLiteral("override 00A4020C02D00C = 6A82\n")), ReadResult::Done, {},
            [](test::SimHarness& h) { h.state.tables.egk[5].VsdStatus = QStringLiteral("alt"); }, status(0)),
        // Around EF.GVD; the PD's reads come first and share the command texts of the GVD's reads.
        Case(Desk(QStringLiteral("override 00A4020C02D003 = -10\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Kommando Select EF GVD war nicht erfolgreich!\r\n")}, {}, status(50)),
        Case(Desk(QStringLiteral("override 00A4020C02D003 = 6A82\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Select EF GVD war nicht erfolgreich!\r\n")}, {}, status(50)),
        Case(Desk(QStringLiteral("override 00B0000002 = pass, 6B00\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Read EF GVD war nicht erfolgreich!\r\n")}, {}, status(50)),
        Case(Desk(QStringLiteral("override 00B0000002 = pass, 01C1 9000\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Keine gültigen Daten in EF GVD \r\n\r\n")}, {}, status(50)),
        Case(Desk(QStringLiteral("override 00B0000002 = pass, 0000 9000\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Keine gültigen Daten in EF GVD \r\n\r\n")}, {}, status(50)),
        Case(Desk(QStringLiteral("override 00B00002FE = pass, 6B00\n"), gvdFile), ReadResult::Done,
             {QStringLiteral("Read EF GVD war nicht erfolgreich!\r\n")}, {}, status(50)),
        // EF.GVD of a single byte is read.
        Case(Desk(QStringLiteral("override 00B0000002 = pass, 0001 9000\noverride 00B0000201 = 41 9000\n"),
                  gvdFile),
             ReadResult::Done, {noXml[2]}, validate, status(50)),
        Case(Desk(QStringLiteral("override 00B001AF = 6B00\n")), ReadResult::Done,
             {QStringLiteral("Read GVD Daten aus EF VD Container war nicht erfolgreich!\r\n")}),
        // Not XML at all: with validation on that is an XML error.
        Case(Stretches("4142", false), ReadResult::Done, {noXml[0], noXml[1], noXml[2]}, validate),
        // Documents of a single byte, the VD from offset 1, are read too.
        Case(Stretches("41", true), ReadResult::Done, {noXml[0], noXml[1], noXml[2]}, validate),
        // Still looks like gzip data after the reader: a failed decompression.
        Case(Stretches("1F41", false), ReadResult::Done,
             {QStringLiteral("Die Dekomprimierung der VD Daten war nicht erfolgreich!\r\n"),
              QStringLiteral("Die Dekomprimierung der PD Daten war nicht erfolgreich!\r\n"),
              QStringLiteral("Die Dekomprimierung der GVD Daten war nicht erfolgreich!\r\n")},
             noValidation),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario.right(120).toStdString());
        const EgkRead r(c.scenario, c.prepare);
        EXPECT_EQ(r.result, c.result);
        QStringList boxes;
        for (const QString& text : c.boxes)
            boxes.append(Info(text));
        EXPECT_EQ(test::Shown(r.h->boxes.shown), boxes);
        if (c.check)
            c.check(*r.h);
    }
}

TEST(EgkCardReaderTest, TestLabCardWithNamedGzipMembers) {
    const auto h = test::Harness(QStringLiteral("egk/stationary_test_lab_card.scn"));
    ASSERT_EQ(h->session.OpenTerminal(2), 0);
    EXPECT_EQ(ReadEgkFromCard(h->ctx, 2), ReadResult::Done);
    EXPECT_TRUE(h->boxes.shown.empty());
    EXPECT_EQ(h->state.tables.egk[2].IccSerialNumber, QStringLiteral("80276883119861412806"));
    EXPECT_FALSE(h->state.tables.insured[2][Familienname].isEmpty());
    EXPECT_FALSE(h->state.tables.insured[2][Krankenkassenname].isEmpty());
}

} // namespace
} // namespace kc

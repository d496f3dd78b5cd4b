#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "egk/egk_card_reader.h"
#include "sim_harness.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using test::IsBox;

const QString kSelectHca = QStringLiteral("00A4040C06D27600000102");
const QString kSelectVd = QStringLiteral("00A4020C02D002");
const QString kSelectPd = QStringLiteral("00A4020C02D001");
const QString kSelectGvd = QStringLiteral("00A4020C02D003");
const QString kSelectStatus = QStringLiteral("00A4020C02D00C");
const QString kCard = QStringLiteral("../cards/EGKG2_80276883110000017222");

// "[terminal desk]" with the 80276883110000017222 images, file lines replaced as given.
QString DeskScenario(const QString& extra = {}, const QString& vd = {}, const QString& pd = {}) {
    const QString base = QStringLiteral("@egk/") + kCard;
    return QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n") + QStringLiteral("card.gdo = ") +
           base + QStringLiteral("__EF_GDO.hex\ncard.vd = ") +
           (vd.isEmpty() ? base + QStringLiteral("__EF_VD.hex") : vd) + QStringLiteral("\ncard.pd = ") +
           (pd.isEmpty() ? base + QStringLiteral("__EF_PD.hex") : pd) + QStringLiteral("\ncard.gvd = ") +
           base + QStringLiteral("__EF_GVD.hex\ncard.statusvd = ") + base +
           QStringLiteral("__EF_StatusVD.hex\n") + extra;
}

class EgkCardReaderTest : public ::testing::Test {
  protected:
    ReadResult readFile(const char* scenario) {
        EXPECT_TRUE(h.loadFile(QStringLiteral("egk/") + QLatin1String(scenario)))
            << qPrintable(h.loadError());
        return readOpen();
    }
    ReadResult readText(const QString& scenario) {
        EXPECT_TRUE(h.loadText(scenario)) << qPrintable(h.loadError());
        return readOpen();
    }
    ReadResult readOpen() {
        EXPECT_EQ(h.session.OpenTerminal(8192), 0);
        h.clearLog();
        return ReadEgkFromCard(h.ctx, 8192);
    }
    const InsuredRecord& fields() { return h.state.tables.insured[5]; }
    EgkResults& egk() { return h.state.tables.egk[5]; }
    int gvdRows() {
        int rows = 0;
        for (const ElementEntry& entry : egk().GvdElementList)
            rows += entry.name.isEmpty() ? 0 : 1;
        return rows;
    }

    test::SimHarness h;
};

TEST_F(EgkCardReaderTest, CardWithTheGvdInEfVdIsReadInTheFixedOrder) {
    EXPECT_EQ(readFile("stationary_gvd_in_vd.scn"), ReadResult::Done);
    EXPECT_EQ(h.apduLog(),
              QStringList({"20110100",   "00B0820000", kSelectHca, kSelectVd,     "00B0000004",
                           "00B00008FE", "00B00106A9", kSelectHca, kSelectPd,     "00B0000002",
                           "00B00002FE", "00B001007E", kSelectHca, kSelectVd,     "00B0000404",
                           "00B001AFFE", "00B002AD02", kSelectHca, kSelectStatus, "00B0000019"}));
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(egk().IccSerialNumber, QStringLiteral("80276883110000017222"));
    EXPECT_EQ(egk().VsdStatus, QStringLiteral("30323031353038303330373531303500500200000030000004"));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Heckhausén"));
    EXPECT_EQ(fields()[Vorname], QStringLiteral("Tina"));
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("gematik Musterkasse1GKV"));
    EXPECT_EQ(fields()[VKNR], QStringLiteral("46"));
    EXPECT_GT(gvdRows(), 0);
    EXPECT_EQ(h.state.tables.terminal[5].OutputMedium.str().trimmed(), QStringLiteral("PC (ASN-1)"));
    // The session stays open for the driver.
    EXPECT_TRUE(h.session.SessionOpen());
}

TEST_F(EgkCardReaderTest, ReadDriverMarksTheSlotAsHoldingEgkData) {
    ASSERT_TRUE(h.loadFile(QStringLiteral("egk/stationary_gvd_in_vd.scn")));
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 8192), ReadResult::Done);
    EXPECT_TRUE(h.state.tables.terminal[5].IsEgk);
    EXPECT_TRUE(h.state.tables.terminal[5].HasCardData);
    EXPECT_FALSE(h.session.SessionOpen());
    EXPECT_EQ(h.apduLog().last(), QStringLiteral("close"));
}

TEST_F(EgkCardReaderTest, GvdOffsetsThatNameNoStretchLeadToEfGvd) {
    for (const char* scenario : {"stationary_gvd_in_ef_gvd.scn", "egk/cards/gvd_in_ef_gvd_zero__EF_VD.hex"}) {
        test::SimHarness fresh;
        const QString file = QLatin1String(scenario);
        ASSERT_TRUE(file.endsWith(QLatin1String(".scn"))
                        ? fresh.loadFile(QStringLiteral("egk/") + file)
                        : fresh.loadText(DeskScenario({}, QLatin1Char('@') + file)))
            << qPrintable(fresh.loadError());
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        EXPECT_EQ(ReadEgkFromCard(fresh.ctx, 8192), ReadResult::Done);
        const QStringList log = fresh.apduLog();
        const auto gvdFile = log.indexOf(kSelectGvd);
        ASSERT_GE(gvdFile, 0) << scenario;
        EXPECT_EQ(log.mid(gvdFile - 2, 6), QStringList({kSelectVd, "00B0000404", kSelectGvd, "00B0000002",
                                                        "00B00002FE", "00B0010002"}));
        EXPECT_TRUE(fresh.boxes.shown.empty()) << scenario;
        int rows = 0;
        for (const ElementEntry& entry : fresh.state.tables.egk[5].GvdElementList)
            rows += entry.name.isEmpty() ? 0 : 1;
        EXPECT_GT(rows, 0) << scenario;
    }
}

TEST_F(EgkCardReaderTest, ProtectedEfGvdGivesThePinMessageAndTheStatusStepStillRuns) {
    EXPECT_EQ(readFile("stationary_gvd_protected.scn"), ReadResult::Done);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(
        h.boxes.shown[0],
        QStringLiteral("Lesen geschützter Versichertendaten (EF.GVD) nicht möglich! \r\nEine Freischaltung "
                       "z.B. durch PIN Eingabe wird durch KartoCheck nicht unterstützt!\r\n"),
        QStringLiteral(" KartoCheck "), MsgButtons::Ok, MsgIcon::Information));
    EXPECT_EQ(h.apduLog().mid(h.apduLog().size() - 3),
              QStringList({kSelectHca, kSelectStatus, "00B0000019"}));
    EXPECT_EQ(egk().VsdStatus.size(), 50);
    EXPECT_EQ(fields()[Familienname], QStringLiteral("Heckhausén"));
}

TEST_F(EgkCardReaderTest, InvalidGvdOffsetsInEfVd) {
    EXPECT_EQ(readText(DeskScenario({}, QStringLiteral("@egk/cards/gvd_offsets_invalid__EF_VD.hex"))),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Keine gültigen GVD Daten im EF VD Container! \r\n\r\n")}));
    EXPECT_FALSE(h.apduLog().contains(kSelectGvd));
}

TEST_F(EgkCardReaderTest, DeactivatedHealthApplicationIsReportedPerDocumentAndStoresNothingRead) {
    h.state.tables.insured[5][Familienname] = QStringLiteral("vorher");
    EXPECT_EQ(readFile("hca_deactivated.scn"), ReadResult::Done);
    const QString message = QStringLiteral("Das DF.HCA (Health Care Application) ist deaktiviert!\r\n");
    EXPECT_EQ(h.boxTexts(), QStringList({message, message, message}));
    EXPECT_EQ(egk().VsdStatus, QString());
    EXPECT_EQ(fields()[Familienname], QString());
    EXPECT_EQ(egk().IccSerialNumber, QStringLiteral("80276883110000017222"));
}

TEST_F(EgkCardReaderTest, MissingHealthApplicationStopsTheRead) {
    h.state.tables.insured[5][Familienname] = QStringLiteral("vorher");
    EXPECT_EQ(readFile("hca_missing.scn"), ReadResult::Failed);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(
        h.boxes.shown[0],
        QStringLiteral("Keine Gesundheitsanwendung \r\nDF.HCA (Health Care Application) \r\nauf der Karte "
                       "gefunden!\r\n\r\n"),
        QStringLiteral(" KartoCheck "), MsgButtons::Ok, MsgIcon::Information));
    EXPECT_EQ(fields()[Familienname], QStringLiteral("vorher"));
}

TEST_F(EgkCardReaderTest, MemoryCardResetAnswering9000IsNoEgk) {
    EXPECT_EQ(readFile("memory_card_reset_9000.scn"), ReadResult::Failed);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Reset Chipkarte war nicht erfolgreich!\r\n")}));
    EXPECT_EQ(h.apduLog(), QStringList({"20110100"}));

    test::SimHarness viaDriver;
    ASSERT_TRUE(viaDriver.loadFile(QStringLiteral("egk/memory_card_reset_9000.scn")));
    EXPECT_EQ(ReadInsuranceCard(viaDriver.ctx, 8192), ReadResult::Failed);
    EXPECT_FALSE(viaDriver.state.tables.terminal[5].IsEgk);
    EXPECT_FALSE(viaDriver.state.tables.terminal[5].HasCardData);
}

TEST_F(EgkCardReaderTest, FailedResetCommand) {
    EXPECT_EQ(readText(DeskScenario(QStringLiteral("override 20110100 = -10\n"))), ReadResult::Failed);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Kommando Reset Chipkarte war nicht erfolgreich!\r\n")}));
}

TEST_F(EgkCardReaderTest, DocumentLengthLimits) {
    struct Case {
        const char* scenario;
        QStringList boxes;
        InsuredField field;
        const char* value;
    };
    const Case cases[] = {
        {"vd_792.scn", {}, Krankenkassenname, "gematik Musterkasse1GKV"},
        {"vd_793.scn", {QStringLiteral("Keine gültigen Daten in EF VD \r\n\r\n")}, Krankenkassenname, ""},
        {"pd_848.scn", {}, Familienname, "Heckhausén"},
        {"pd_849.scn", {QStringLiteral("Keine gültigen Daten in EF PD \r\n\r\n")}, Familienname, ""},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadFile(QStringLiteral("egk/") + QLatin1String(c.scenario)));
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        EXPECT_EQ(ReadEgkFromCard(fresh.ctx, 8192), ReadResult::Done) << c.scenario;
        EXPECT_EQ(fresh.boxTexts(), c.boxes) << c.scenario;
        EXPECT_EQ(fresh.state.tables.insured[5][c.field], QString::fromUtf8(c.value)) << c.scenario;
    }
}

TEST_F(EgkCardReaderTest, VdHeaderWithFirstOffsetZeroIsRejected) {
    EXPECT_EQ(readText(DeskScenario(QStringLiteral("override 00B0000004 = 000001AE 9000\n"))),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Keine gültigen Daten in EF VD \r\n\r\n")}));
}

TEST_F(EgkCardReaderTest, SerialNumberFromEfGdo) {
    struct Case {
        const char* answer;
        const char* serial;
    };
    const Case cases[] = {
        {"5A0A80276883110000017222 9000", "80276883110000017222"},
        {"6A82", ""},
        // A length byte claiming more than came: what came, never the status word.
        {"5A0F8027688311 9000", "8027688311"},
        {"5A 9000", ""},
        {"-10", "unverändert"},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadText(
            DeskScenario(QStringLiteral("override 00B0820000 = %1\n").arg(QLatin1String(c.answer)))));
        fresh.state.tables.egk[5].IccSerialNumber = QStringLiteral("unverändert");
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        EXPECT_EQ(ReadEgkFromCard(fresh.ctx, 8192), ReadResult::Done);
        EXPECT_EQ(fresh.state.tables.egk[5].IccSerialNumber, QString::fromUtf8(c.serial)) << c.answer;
    }
}

TEST_F(EgkCardReaderTest, DocumentsThatDoNotDecompressOrDeclareAnUnknownEncoding) {
    EXPECT_EQ(readFile("pd_inflates_too_far.scn"), ReadResult::Done);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Die Dekomprimierung der PD Daten war nicht erfolgreich!\r\n")}));
    EXPECT_EQ(fields()[Familienname], QString());
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("gematik Musterkasse1GKV"));

    test::SimHarness encoding;
    ASSERT_TRUE(encoding.loadFile(QStringLiteral("egk/pd_unknown_encoding.scn")));
    ASSERT_EQ(encoding.session.OpenTerminal(8192), 0);
    EXPECT_EQ(ReadEgkFromCard(encoding.ctx, 8192), ReadResult::Done);
    EXPECT_TRUE(encoding.boxes.shown.empty());
    EXPECT_EQ(encoding.state.tables.insured[5][Familienname], QStringLiteral("Heckhausén"));
}

TEST_F(EgkCardReaderTest, DocumentThatIsNotGzipFillsNoField) {
    EXPECT_EQ(readFile("pd_not_gzip.scn"), ReadResult::Done);
    EXPECT_EQ(fields()[Familienname], QString());
    EXPECT_EQ(fields()[Krankenkassenname], QStringLiteral("gematik Musterkasse1GKV"));
    EXPECT_EQ(egk().EgkXmlText[DocIndex(DocKind::Pd)],
              QStringLiteral("Dies sind keine komprimierten Versichertendaten."));
}

TEST_F(EgkCardReaderTest, ShortDocumentReadIsAReadFailure) {
    // The VD comes short with "end of file reached": the document is not loaded.
    EXPECT_EQ(readText(DeskScenario(QStringLiteral("override 00B00008 = 1F8B08 6282\n"))), ReadResult::Done);
    EXPECT_EQ(h.boxTexts(), QStringList({QStringLiteral("Read EF VD war nicht erfolgreich!\r\n")}));
    EXPECT_EQ(fields()[Krankenkassenname], QString());
}

TEST_F(EgkCardReaderTest, SelectFailuresOfTheFiles) {
    EXPECT_EQ(readText(DeskScenario(
                  QStringLiteral("override 00A4020C02D001 = 6A82\noverride 00A4020C02D002 = -10\n"))),
              ReadResult::Done);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Kommando Select EF VD war nicht erfolgreich!\r\n"),
                           QStringLiteral("Select EF PD war nicht erfolgreich!\r\n"),
                           QStringLiteral("Kommando Select EF VD war nicht erfolgreich!\r\n")}));
}

TEST_F(EgkCardReaderTest, StatusStepSkipsSilentlyWhenEfStatusVdIsMissing) {
    egk().VsdStatus = QStringLiteral("alt");
    EXPECT_EQ(readText(DeskScenario(QStringLiteral("override 00A4020C02D00C = 6A82\n"))), ReadResult::Done);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(egk().VsdStatus, QString());
}

TEST_F(EgkCardReaderTest, FailuresAroundEfGvdAreNamedAndTheStatusStepStillRuns) {
    struct Case {
        const char* overrides;
        const char* box;
    };
    // The PD's reads come first and share the command texts of the GVD's reads.
    const Case cases[] = {
        {"override 00A4020C02D003 = -10\n", "Kommando Select EF GVD war nicht erfolgreich!\r\n"},
        {"override 00A4020C02D003 = 6A82\n", "Select EF GVD war nicht erfolgreich!\r\n"},
        {"override 00B0000002 = pass, 6B00\n", "Read EF GVD war nicht erfolgreich!\r\n"},
        {"override 00B0000002 = pass, 01C1 9000\n", "Keine gültigen Daten in EF GVD \r\n\r\n"},
        {"override 00B0000002 = pass, 0000 9000\n", "Keine gültigen Daten in EF GVD \r\n\r\n"},
        {"override 00B00002FE = pass, 6B00\n", "Read EF GVD war nicht erfolgreich!\r\n"},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadText(
            DeskScenario(QLatin1String(c.overrides), QStringLiteral("@egk/cards/gvd_in_ef_gvd__EF_VD.hex"))))
            << qPrintable(fresh.loadError());
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        EXPECT_EQ(ReadEgkFromCard(fresh.ctx, 8192), ReadResult::Done) << c.overrides;
        EXPECT_EQ(fresh.boxTexts(), QStringList({QString::fromUtf8(c.box)})) << c.overrides;
        EXPECT_EQ(fresh.state.tables.egk[5].VsdStatus.size(), 50) << c.overrides;
    }
}

TEST_F(EgkCardReaderTest, GvdStretchOfEfVdThatCannotBeRead) {
    EXPECT_EQ(readText(DeskScenario(QStringLiteral("override 00B001AF = 6B00\n"))), ReadResult::Done);
    EXPECT_EQ(h.boxTexts(),
              QStringList({QStringLiteral("Read GVD Daten aus EF VD Container war nicht erfolgreich!\r\n")}));
}

TEST_F(EgkCardReaderTest, DocumentsThatDoNotLoadAreNamedByTheirKind) {
    // VD and GVD as two-byte stretches of EF.VD at offset 8, the PD as two bytes of EF.PD.
    const QString stretches = QStringLiteral("override 00B0000004 = 0008 0009 9000\n"
                                             "override 00B0000404 = 0008 0009 9000\n"
                                             "override 00B0000002 = 0002 9000\n"
                                             "override 00B0000802 = %1 9000, %1 9000\n"
                                             "override 00B0000202 = %1 9000\n");
    struct Case {
        bool validation;
        const char* bytes;
        QStringList boxes;
    };
    const Case cases[] = {
        // Not XML at all: with validation on that is an XML error.
        {true,
         "4142",
         {QStringLiteral("Error VD XML Daten!\r\n"), QStringLiteral("Error PD XML Daten!\r\n"),
          QStringLiteral("Error GVD XML Daten!\r\n")}},
        // Still looks like gzip data after the reader: a failed decompression.
        {false,
         "1F41",
         {QStringLiteral("Die Dekomprimierung der VD Daten war nicht erfolgreich!\r\n"),
          QStringLiteral("Die Dekomprimierung der PD Daten war nicht erfolgreich!\r\n"),
          QStringLiteral("Die Dekomprimierung der GVD Daten war nicht erfolgreich!\r\n")}},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadText(DeskScenario(stretches.arg(QLatin1String(c.bytes)))))
            << qPrintable(fresh.loadError());
        fresh.state.ValidationEnabled = c.validation;
        ASSERT_EQ(fresh.session.OpenTerminal(8192), 0);
        EXPECT_EQ(ReadEgkFromCard(fresh.ctx, 8192), ReadResult::Done) << c.bytes;
        EXPECT_EQ(fresh.boxTexts(), c.boxes) << c.bytes;
        for (const MessageRequest& shown : fresh.boxes.shown)
            EXPECT_EQ(shown.icon, MsgIcon::Information) << c.bytes;
    }
}

TEST_F(EgkCardReaderTest, TestLabCardWithNamedGzipMembers) {
    ASSERT_TRUE(h.loadFile(QStringLiteral("egk/stationary_test_lab_card.scn")));
    ASSERT_EQ(h.session.OpenTerminal(2), 0);
    EXPECT_EQ(ReadEgkFromCard(h.ctx, 2), ReadResult::Done);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.state.tables.egk[2].IccSerialNumber, QStringLiteral("80276883119861412806"));
    EXPECT_FALSE(h.state.tables.insured[2][Familienname].isEmpty());
    EXPECT_FALSE(h.state.tables.insured[2][Krankenkassenname].isEmpty());
}

} // namespace
} // namespace kc

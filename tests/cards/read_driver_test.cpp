#include "base/egk_read_hook.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"
#include "sim_harness.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::IsBox;
using test::IsErrorBox;

const QString kResetCt = QStringLiteral("2011000000");
const QString kRequestIcc = QStringLiteral("201201000101");
const QString kResetIcc = QStringLiteral("20110100");
const QString kSelectKvk = QStringLiteral("00A4040006D27600000101");
const QString kSelectOldKvk = QStringLiteral("00A4040006D28000000101");
const QString kReadBinary = QStringLiteral("00B0000000");
const QString kErase = QStringLiteral("000E0000");
const QString kEject = QStringLiteral("201501010101");

const QString kKvkWarning = QStringLiteral(
    " Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! \r\n Nach Durchführen eines Lesetests an einem "
    "VEX "
    "K7/Serie Q3/Q4 Gerät \r\n mit dieser Testsoftware wird der gelesene Datensatz \r\n automatisch "
    "gelöscht!\r\n\r\n                          Möchten Sie fortfahren? ");
const QString kEgkWarning = QStringLiteral(
    " Achtung, Lesetest an einem Gerät der Zavia Q3 Serie! \r\n Nach Durchführen eines Lesetests an einem "
    "Gerät "
    "der Zavia Q3 Serie \r\n mit dieser Testsoftware wird der gelesene Datensatz \r\n automatisch "
    "gelöscht!\r\n\r\n                          Möchten Sie fortfahren? ");
const QString kOutputMediumBox = QStringLiteral(
    " Lesen der Krankenversichertendaten von der Karte nicht möglich! \r\n Beim Chipkartenterminal ist als "
    "Ausgabemedium \r\n\r\n LCD-Anzeige/Drucker eingestellt! ");

class ReadDriverTest : public ::testing::Test {
  protected:
    void load(const char* scenario) {
        ASSERT_TRUE(h.loadFile(QStringLiteral("kvk/") + QLatin1String(scenario)))
            << qPrintable(h.loadError());
    }
    ReadResult read(uint16_t pn) {
        h.state.SelectedPort = pn;
        return ReadInsuranceCard(h.ctx, pn);
    }
    TerminalInfo& info(int slot) { return h.state.tables.terminal[slot]; }
    const InsuredRecord& fields(int slot) { return h.state.tables.insured[slot]; }
    QStringList log(uint16_t pn, const QStringList& commands, bool closed = true) {
        QStringList expected{QStringLiteral("init %1").arg(pn)};
        expected += commands;
        if (closed)
            expected += {kResetCt, QStringLiteral("close")};
        return expected;
    }

    test::SimHarness h;
};

TEST_F(ReadDriverTest, StationaryKvkIsReadInTheFixedCommandOrder) {
    load("stationary_template_6081.scn");
    EXPECT_EQ(read(3), ReadResult::Done);
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk, kReadBinary}));
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_TRUE(info(3).HasCardData);
    EXPECT_FALSE(info(3).IsEgk);
    EXPECT_FALSE(info(3).IsMobile);
    EXPECT_FALSE(h.session.SessionOpen());
    EXPECT_EQ(fields(3)[Familienname], QStringLiteral("Apfel"));
    EXPECT_EQ(fields(3)[Krankenkassenname], QStringLiteral("Techniker Krankenkasse"));
    EXPECT_EQ(info(3).OutputMedium.str().trimmed(), QStringLiteral("PC (ASN-1)"));
}

TEST_F(ReadDriverTest, EveryTemplateFormAndTheFixedFormatAreRead) {
    struct Case {
        const char* scenario;
        uint16_t pn;
        InsuredField field;
        const char* value;
        const char* medium;
    };
    const Case cases[] = {
        {"stationary_template_60.scn", 3, Ortsname, "Köln", "PC (ASN-1)"},
        {"stationary_template_6082.scn", 3, Familienname, "Größenwahn-Überlinger", "PC (ASN-1)"},
        {"stationary_din66003.scn", 3, Familienname, "Hönsch", "PC (ASN-1)"},
        {"stationary_fixed.scn", 2, Ortsname, "BERLIN", "PC (Festformat)"},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadFile(QStringLiteral("kvk/") + QLatin1String(c.scenario))) << c.scenario;
        EXPECT_EQ(ReadInsuranceCard(fresh.ctx, c.pn), ReadResult::Done) << c.scenario;
        EXPECT_EQ(fresh.state.tables.insured[c.pn][c.field], QString::fromUtf8(c.value)) << c.scenario;
        EXPECT_EQ(fresh.state.tables.terminal[c.pn].OutputMedium.str().trimmed(),
                  QString::fromLatin1(c.medium));
        EXPECT_TRUE(fresh.state.tables.terminal[c.pn].HasCardData);
        EXPECT_TRUE(fresh.boxes.shown.empty()) << c.scenario;
    }
}

TEST_F(ReadDriverTest, ASuccessfulKvkReadReplacesAnEarlierEgkView) {
    load("stationary_template_6081.scn");
    info(3).IsEgk = true;
    EXPECT_EQ(read(3), ReadResult::Done);
    EXPECT_FALSE(info(3).IsEgk);
}

TEST_F(ReadDriverTest, RefusedRecordEmptiesTheSlotAndAsksTheTerminalAgain) {
    load("broken_checksum.scn");
    h.state.tables.insured[3][Vorname] = QStringLiteral("alt");
    h.state.ui.card.values[7] = QStringLiteral("alt");
    EXPECT_EQ(read(3), ReadResult::Failed);
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk, kReadBinary, kResetCt}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsErrorBox(h.boxes.shown[0], QStringLiteral(" Prüfsumme KVK korrupt!!! ")));
    EXPECT_FALSE(info(3).HasCardData);
    EXPECT_FALSE(info(3).IsMobile);
    EXPECT_EQ(fields(3)[Familienname], QString());
    EXPECT_EQ(fields(3)[Vorname], QString());
    EXPECT_EQ(h.state.ui.card.values[7], QString());
}

TEST_F(ReadDriverTest, RefusedRecordOnAHandheldMarksItMobileForTheNextRead) {
    // A handheld whose record is broken: the second RESET CT answers 9500 again.
    ASSERT_TRUE(
        h.loadText(QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = kvk\n"
                                  "card.record = @../../tests/data/kvk/kvk_tk_apfel_broken_checksum.hex\n")))
        << qPrintable(h.loadError());
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(1), ReadResult::Failed);
    EXPECT_TRUE(info(1).IsMobile);
    EXPECT_EQ(info(1).ModelText.str().trimmed(), QStringLiteral("Modell VEX K7/Serie Q3/Q4"));
    EXPECT_EQ(h.boxTexts(), QStringList({kKvkWarning, QStringLiteral(" Prüfsumme KVK korrupt!!! ")}));
    EXPECT_EQ(h.apduLog(), log(1, {kResetCt, kRequestIcc, kSelectKvk, kReadBinary, kResetCt}));
}

TEST_F(ReadDriverTest, HandheldRecordIsReadAfterTheWarningThenErasedAndEjected) {
    load("handheld_stored.scn");
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(1), ReadResult::Done);
    EXPECT_EQ(h.apduLog(), log(1, {kResetCt, kRequestIcc, kSelectKvk, kReadBinary, kErase, kEject}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(h.boxes.shown[0], kKvkWarning, QStringLiteral(" KartoCheck "), MsgButtons::YesNo,
                      MsgIcon::Question, true));
    EXPECT_TRUE(info(1).IsMobile);
    EXPECT_TRUE(info(1).HasCardData);
    EXPECT_EQ(fields(1)[Einlesedatum], QStringLiteral("15032024"));
    EXPECT_EQ(fields(1)[Zulassungsnummer], QStringLiteral("109"));
    EXPECT_EQ(info(1).ModelText.str().trimmed(), QStringLiteral("Serie Q4"));
    EXPECT_EQ(info(1).CtType.str(), QStringLiteral("QKT-4"));
    EXPECT_FALSE(h.simulator().cardPresent(1));
}

TEST_F(ReadDriverTest, DecliningTheWarningReadsNothingAndLeavesTheSessionToTheCaller) {
    load("handheld_stored.scn");
    h.boxes.script({MsgAnswer::No});
    EXPECT_EQ(read(1), ReadResult::Failed);
    EXPECT_EQ(h.apduLog(), log(1, {kResetCt, kRequestIcc, kSelectKvk}, false));
    EXPECT_TRUE(h.session.SessionOpen());
    EXPECT_FALSE(info(1).HasCardData);
    EXPECT_EQ(fields(1)[Familienname], QString());
    EXPECT_TRUE(h.simulator().cardPresent(1));
}

TEST_F(ReadDriverTest, HandheldThatCannotEraseKeepsTheRecordAndIsNotEjected) {
    load("handheld_erase_unsupported.scn");
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(1), ReadResult::Done);
    EXPECT_EQ(h.apduLog(), log(1, {kResetCt, kRequestIcc, kSelectKvk, kReadBinary, kErase}));
    EXPECT_TRUE(info(1).HasCardData);
    EXPECT_TRUE(h.simulator().cardPresent(1));
}

TEST_F(ReadDriverTest, FailedEraseEmptiesTheSlotWithItsBox) {
    load("handheld_erase_fails.scn");
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(1), ReadResult::Failed);
    EXPECT_EQ(h.apduLog(), log(1, {kResetCt, kRequestIcc, kSelectKvk, kReadBinary, kErase}));
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    EXPECT_TRUE(
        IsErrorBox(h.boxes.shown[1],
                   QStringLiteral(" ERASE BINARY Error! \r\n Datensatz konnte nicht gelöscht werden! ")));
    EXPECT_FALSE(info(1).HasCardData);
    EXPECT_EQ(fields(1)[Familienname], QString());
    EXPECT_EQ(fields(1)[Einlesedatum], QString());
}

TEST_F(ReadDriverTest, HandheldFixedFormatRecordCarriesTheAdditions) {
    load("handheld_fixed.scn");
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(1), ReadResult::Done);
    EXPECT_EQ(fields(1)[Ortsname], QStringLiteral("BERLIN"));
    EXPECT_EQ(fields(1)[Zulassungsnummer], QStringLiteral("109"));
    EXPECT_EQ(info(1).OutputMedium.str().trimmed(), QStringLiteral("PC (Festformat)"));
}

TEST_F(ReadDriverTest, NoCardAsksToTryAgain) {
    load("no_card_then_card.scn");
    h.boxes.script({MsgAnswer::Yes, MsgAnswer::No});
    EXPECT_EQ(read(3), ReadResult::TryAgain);
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(h.boxes.shown[0],
                      QStringLiteral(" Keine Chipkarte gefunden! \r\n Noch einmal versuchen? "),
                      QStringLiteral(" KartoCheck "), MsgButtons::YesNo, MsgIcon::Question));
    EXPECT_EQ(read(3), ReadResult::Failed);
    EXPECT_FALSE(info(3).HasCardData);
    // Third time the card is there.
    EXPECT_EQ(read(3), ReadResult::Done);
}

TEST_F(ReadDriverTest, TheRetryQuestionNamesWhatTheTerminalSaid) {
    struct Case {
        const char* scenario;
        uint16_t pn;
        bool mobileBefore;
        bool lockedBefore;
        const char* text;
    };
    const Case cases[] = {
        {"handheld_keycard.scn", 1, false, true,
         " Keine Datensätze/KeyCard gefunden! \r\n Gerät ist zugeschlossen!\r\n\r\n Noch einmal versuchen? "},
        {"handheld_empty.scn", 1, false, false, " Keine Datensätze gefunden! \r\n Noch einmal versuchen? "},
        {"handheld_locked.scn", 1, false, false,
         " Das mobile Chipkartenterminal ist zugeschlossen! \r\n Noch einmal versuchen? "},
        {"stationary_menu_active.scn", 3, false, false,
         " Die Chipkartenterminal Menü-Einstellungen sind aktiviert! \r\n Noch einmal versuchen? "},
        {"no_card_then_card.scn", 3, false, false, " Keine Chipkarte gefunden! \r\n Noch einmal versuchen? "},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadFile(QStringLiteral("kvk/") + QLatin1String(c.scenario)));
        fresh.state.tables.terminal[c.pn].IsLocked = c.lockedBefore;
        fresh.boxes.script({MsgAnswer::No});
        EXPECT_EQ(ReadInsuranceCard(fresh.ctx, c.pn), ReadResult::Failed) << c.scenario;
        ASSERT_EQ(fresh.boxes.shown.size(), 1u) << c.scenario;
        EXPECT_TRUE(IsBox(fresh.boxes.shown[0], QString::fromUtf8(c.text), QStringLiteral(" KartoCheck "),
                          MsgButtons::YesNo, MsgIcon::Question))
            << c.scenario;
        EXPECT_FALSE(fresh.session.SessionOpen());
    }
}

TEST_F(ReadDriverTest, CardCommandsRefusedForDisplayOutputNameTheOutputMedium) {
    for (const char* scenario : {"output_display.scn", "output_display_error.scn"}) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadFile(QStringLiteral("kvk/") + QLatin1String(scenario)));
        EXPECT_EQ(ReadInsuranceCard(fresh.ctx, 3), ReadResult::Failed) << scenario;
        ASSERT_EQ(fresh.boxes.shown.size(), 1u) << scenario;
        EXPECT_TRUE(IsErrorBox(fresh.boxes.shown[0], kOutputMediumBox)) << scenario;
        EXPECT_EQ(fresh.state.tables.terminal[3].OutputMedium.str().trimmed(),
                  QStringLiteral("LCD-Anzeige/Drucker"));
        EXPECT_FALSE(fresh.session.SessionOpen());
    }
}

TEST_F(ReadDriverTest, DisplayOutputRefusingTheSelectStopsBeforeReading) {
    load("output_display.scn");
    read(3);
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk}));
}

TEST_F(ReadDriverTest, OldApplicationIdentifierIsNamed) {
    load("old_aid.scn");
    h.boxes.script({MsgAnswer::Yes});
    EXPECT_EQ(read(3), ReadResult::TryAgain);
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk, kSelectOldKvk}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(
        IsBox(h.boxes.shown[0],
              QStringLiteral(" Krankenversichertenkarte mit altem AID! \r\n Kein VEX Gerät! \r\n Noch einmal "
                             "versuchen? "),
              QStringLiteral(" KartoCheck "), MsgButtons::YesNo, MsgIcon::Critical));
}

TEST_F(ReadDriverTest, CardWithoutTheKvkApplicationIsNamed) {
    load("no_kvk_application.scn");
    h.boxes.script({MsgAnswer::No});
    EXPECT_EQ(read(3), ReadResult::Failed);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(
        IsBox(h.boxes.shown[0],
              QStringLiteral(" Karte hat kein Krankenversichertenkarten AID! \r\n Noch einmal versuchen? "),
              QStringLiteral(" KartoCheck "), MsgButtons::YesNo, MsgIcon::Critical));
}

TEST_F(ReadDriverTest, OldSelectFailingLeavesAnEmptyReason) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\ncard = memory\n"
                                          "override 00A4040006D28000000101 = -10\n")));
    h.boxes.script({MsgAnswer::No});
    EXPECT_EQ(read(3), ReadResult::Failed);
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text, QStringLiteral("\r\n Noch einmal versuchen? "));
}

TEST_F(ReadDriverTest, SelectFailuresOfTheKvkApplication) {
    struct Case {
        const char* answer;
        QStringList boxes;
    };
    const Case cases[] = {
        {"-11", {QStringLiteral(" Chipkartenterminal RETURN Fehler! ")}},
        // Any other refusal reads nothing and says nothing, but is never a success.
        {"6E00", {}},
        {"6D00", {}},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadText(QStringLiteral("[terminal desk]\nports = 3\ncard = memory\noverride "
                                                  "00A4040006D27600000101 = %1\n")
                                       .arg(QLatin1String(c.answer))));
        EXPECT_EQ(ReadInsuranceCard(fresh.ctx, 3), ReadResult::Failed) << c.answer;
        EXPECT_EQ(fresh.boxTexts(), c.boxes) << c.answer;
        EXPECT_EQ(fresh.apduLog().mid(fresh.apduLog().size() - 2),
                  QStringList({kResetCt, QStringLiteral("close")}));
        EXPECT_FALSE(fresh.state.tables.terminal[3].HasCardData);
    }
}

TEST_F(ReadDriverTest, ReadBinaryRefusedEndsWithoutMessage) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\ncard = kvk\n"
                                          "card.record = @../../tests/data/kvk/k2-creek_TK_Apfel.hex\n"
                                          "override 00B0 = 6B00\n")));
    EXPECT_EQ(read(3), ReadResult::Failed);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_FALSE(info(3).HasCardData);
    EXPECT_FALSE(h.session.SessionOpen());
}

TEST_F(ReadDriverTest, EndOfFileAnswerStillCarriesTheRecord) {
    // The card answers a wildcard length with the record and "end of file reached".
    const QString record = test::KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\ncard = kvk\ncard.record = %1\n"
                                          "override 00B0 = %1 6282\n")
                               .arg(record)))
        << qPrintable(h.loadError());
    EXPECT_EQ(read(3), ReadResult::Done);
    EXPECT_EQ(fields(3)[Familienname], QStringLiteral("Apfel"));
}

TEST_F(ReadDriverTest, OpenFailures) {
    struct Case {
        const char* init;
        const char* text;
    };
    const Case cases[] = {
        {"-10",
         " Lesen der Krankenversichertendaten von der Karte nicht möglich! \r\n Haben Sie als Ausgabemedium "
         "LCD-Anzeige/Drucker eingestellt ?! "},
        {"-127",
         " Lesen der Krankenversichertendaten von der Karte nicht möglich! \r\n Kommunikationsfehler ! "},
    };
    for (const Case& c : cases) {
        test::SimHarness fresh;
        ASSERT_TRUE(fresh.loadText(
            QStringLiteral("[terminal desk]\nports = 3\ninit = %1\n").arg(QLatin1String(c.init))));
        EXPECT_EQ(ReadInsuranceCard(fresh.ctx, 3), ReadResult::Failed);
        EXPECT_EQ(fresh.apduLog(), QStringList({QStringLiteral("init 3")}));
        ASSERT_EQ(fresh.boxes.shown.size(), 1u);
        EXPECT_TRUE(IsErrorBox(fresh.boxes.shown[0], QString::fromUtf8(c.text)));
    }
}

TEST_F(ReadDriverTest, SwitchedOffTerminalCannotBeOpened) {
    load("switched_off.scn");
    ASSERT_EQ(h.session.OpenTerminal(3), 0);      // the scan
    static_cast<void>(h.session.CloseTerminal()); // only the next opening matters
    h.clearLog();
    EXPECT_EQ(read(3), ReadResult::Failed);
    EXPECT_EQ(h.apduLog(), QStringList({QStringLiteral("init 3")}));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(h.boxes.shown[0].text.contains(QStringLiteral("Haben Sie als Ausgabemedium")));
}

TEST_F(ReadDriverTest, RequestIccFailingOtherwiseEndsQuietly) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\noverride 201201 = -127\n")));
    EXPECT_EQ(read(3), ReadResult::Failed);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.apduLog(), log(3, {kResetCt, kRequestIcc}));
}

class RecordingEgkReader : public EgkReadHook {
  public:
    ReadResult ReadEgkFromCard(Context&, uint16_t pn) override {
        calls.append(QStringLiteral("card %1").arg(pn));
        return result;
    }
    ReadResult ReadEgkFromMobileTerminal(Context&, int slot) override {
        calls.append(QStringLiteral("mobile %1").arg(slot));
        return result;
    }
    QStringList calls;
    ReadResult result = ReadResult::Done;
};

const char* const kEgkDesk = "[terminal desk]\nports = 8192\ncard = egk\n";

TEST_F(ReadDriverTest, ProcessorCardGoesToTheEgkReaderAfterClearingItsResults) {
    ASSERT_TRUE(h.loadText(QString::fromLatin1(kEgkDesk)));
    EgkResults& egk = h.state.tables.egk[5];
    egk.IccSerialNumber = QStringLiteral("80276883110000017222");
    egk.VsdStatus = QStringLiteral("00");
    egk.EgkValidationText = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    RecordingEgkReader reader;
    h.ctx.egk = &reader;
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 8192), ReadResult::Done);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("card 8192")}));
    EXPECT_EQ(egk.IccSerialNumber, QString());
    EXPECT_EQ(egk.VsdStatus, QString());
    EXPECT_EQ(egk.EgkValidationText[0] + egk.EgkValidationText[1] + egk.EgkValidationText[2], QString());
    EXPECT_TRUE(info(5).IsEgk);
    EXPECT_TRUE(info(5).HasCardData);
    // The eGK answers REQUEST ICC with 9001 itself, so no RESET ICC follows.
    EXPECT_EQ(h.apduLog(), log(8192, {kResetCt, kRequestIcc}));
}

TEST_F(ReadDriverTest, WithoutAnEgkReaderAnEgkEndsWithoutData) {
    ASSERT_TRUE(h.loadText(QString::fromLatin1(kEgkDesk)));
    NoEgkReader none;
    h.ctx.egk = &none;
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 8192), ReadResult::Failed);
    EXPECT_FALSE(info(5).IsEgk);
    EXPECT_FALSE(info(5).HasCardData);
    EXPECT_FALSE(h.session.SessionOpen());
}

TEST_F(ReadDriverTest, HandheldEgkRecordNeedsTheWarningFirst) {
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n")));
    RecordingEgkReader reader;
    h.ctx.egk = &reader;
    h.boxes.script({MsgAnswer::No, MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 1), ReadResult::Failed);
    EXPECT_TRUE(reader.calls.isEmpty());
    EXPECT_TRUE(h.session.SessionOpen());
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(h.boxes.shown[0], kEgkWarning, QStringLiteral(" KartoCheck "), MsgButtons::YesNo,
                      MsgIcon::Question, true));

    h.session.ResetAndCloseTerminal();
    reader.result = ReadResult::Refused;
    EXPECT_EQ(ReadInsuranceCard(h.ctx, 1), ReadResult::Failed);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("mobile 1")}));
    EXPECT_FALSE(info(1).IsEgk);
    EXPECT_FALSE(info(1).HasCardData);
}

} // namespace
} // namespace kc

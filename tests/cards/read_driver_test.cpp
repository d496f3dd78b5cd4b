#include "base/egk_read_hook.h"
#include "card_test_support.h"
#include "cards/read_insurance_card.h"

#include <functional>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::Ask;
using test::Box;
using test::Stop;

const QString kResetCt = QStringLiteral("2011000000");
const QString kRequestIcc = QStringLiteral("201201000101");
const QString kResetIcc = QStringLiteral("20110100");
const QString kSelectKvk = QStringLiteral("00A4040006D27600000101");
const QString kSelectOldKvk = QStringLiteral("00A4040006D28000000101");
const QString kReadBinary = QStringLiteral("00B0000000");
const QString kErase = QStringLiteral("000E0000");
const QString kEject = QStringLiteral("201501010101");
const QString kClose = QStringLiteral("close");

const QString kKvkWarning =
    Box(QStringLiteral(
            " Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! \r\n Nach Durchführen eines Lesetests "
            "an einem VEX K7/Serie Q3/Q4 Gerät \r\n mit dieser Testsoftware wird der gelesene Datensatz "
            "\r\n automatisch gelöscht!\r\n\r\n                          Möchten Sie fortfahren? "),
        MsgButtons::YesNo, MsgIcon::Question, true);
const QString kEgkWarning =
    Box(QStringLiteral(
            " Achtung, Lesetest an einem Gerät der Zavia Q3 Serie! \r\n Nach Durchführen eines Lesetests "
            "an einem Gerät der Zavia Q3 Serie \r\n mit dieser Testsoftware wird der gelesene Datensatz "
            "\r\n automatisch gelöscht!\r\n\r\n                          Möchten Sie fortfahren? "),
        MsgButtons::YesNo, MsgIcon::Question, true);
const QString kOutputMedium = Stop(
    QStringLiteral(" Lesen der Krankenversichertendaten von der Karte nicht möglich! \r\n Beim "
                   "Chipkartenterminal ist als Ausgabemedium \r\n\r\n LCD-Anzeige/Drucker eingestellt! "));
const QString kNotPossible =
    QStringLiteral(" Lesen der Krankenversichertendaten von der Karte nicht möglich! \r\n ");
const QString kChecksum = Stop(QStringLiteral(" Prüfsumme KVK korrupt!!! "));
const QString kAgain = QStringLiteral(" \r\n Noch einmal versuchen? ");
const QString kNoCard = Ask(QStringLiteral(" Keine Chipkarte gefunden!") + kAgain);

// "init PN", the commands, then RESET CT and close unless the session stays open.
QStringList Log(uint16_t pn, const QStringList& commands, bool closed = true) {
    QStringList log = QStringList{QStringLiteral("init %1").arg(pn)} + commands;
    if (closed)
        log += {kResetCt, kClose};
    return log;
}

QString Desk(const char* lines) {
    return QStringLiteral("[terminal desk]\nports = 3\n") + QLatin1String(lines);
}

const QString kHandheldBroken =
    QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = kvk\n"
                   "card.record = @../../tests/data/kvk/kvk_tk_apfel_broken_checksum.hex\n");

using Check = std::function<void(test::SimHarness&)>;

struct DriverCase {
    QString scenario; // a file under kvk/ or the scenario's text
    uint16_t pn;
    std::vector<MsgAnswer> answers;
    ReadResult result;
    QStringList log;
    QStringList boxes;
    Check prepare = {};
    Check check = {};
};

TEST(ReadDriverTest, CommandsBoxesAndResultPerSituation) {
    const QStringList kvkRead{kResetCt, kRequestIcc, kResetIcc, kSelectKvk, kReadBinary};
    const QStringList handheldRead{kResetCt, kRequestIcc, kSelectKvk, kReadBinary};
    const DriverCase cases[] = {
        DriverCase(
            "stationary_template_6081.scn", 3, {}, ReadResult::Done, Log(3, kvkRead), {},
            [](test::SimHarness& h) { h.state.tables.terminal[3].IsEgk = true; },
            [](test::SimHarness& h) {
                const TerminalInfo& info = h.state.tables.terminal[3];
                EXPECT_FALSE(info.IsEgk || info.IsMobile);
                EXPECT_EQ(h.state.tables.insured[3][Familienname], QStringLiteral("Apfel"));
                EXPECT_EQ(h.state.tables.insured[3][Krankenkassenname],
                          QStringLiteral("Techniker Krankenkasse"));
            }),
        DriverCase(
            "broken_checksum.scn", 3, {}, ReadResult::Failed, Log(3, kvkRead + QStringList{kResetCt}),
            {kChecksum},
            [](test::SimHarness& h) {
                h.state.tables.insured[3][Vorname] = QStringLiteral("alt");
                h.state.ui.card.values[7] = QStringLiteral("alt");
            },
            [](test::SimHarness& h) {
                EXPECT_EQ(h.state.tables.insured[3][Familienname] + h.state.tables.insured[3][Vorname],
                          QString());
                EXPECT_EQ(h.state.ui.card.values[7], QString());
                EXPECT_FALSE(h.state.tables.terminal[3].IsMobile);
            }),
        // The second RESET CT answers 9500 again: a handheld for the next read.
        DriverCase(kHandheldBroken, 1, {MsgAnswer::Yes}, ReadResult::Failed,
                   Log(1, handheldRead + QStringList{kResetCt}), {kKvkWarning, kChecksum}, {},
                   [](test::SimHarness& h) {
                       EXPECT_TRUE(h.state.tables.terminal[1].IsMobile);
                       EXPECT_EQ(h.state.tables.terminal[1].ModelText.str().trimmed(),
                                 QStringLiteral("Modell VEX K7/Serie Q3/Q4"));
                   }),
        DriverCase("handheld_stored.scn", 1, {MsgAnswer::Yes}, ReadResult::Done,
                   Log(1, handheldRead + QStringList{kErase, kEject}), {kKvkWarning}, {},
                   [](test::SimHarness& h) {
                       const TerminalInfo& info = h.state.tables.terminal[1];
                       EXPECT_TRUE(info.IsMobile);
                       EXPECT_EQ(info.ModelText.str().trimmed() + info.CtType.str(),
                                 QStringLiteral("Serie Q4QKT-4"));
                       EXPECT_FALSE(h.simulator().cardPresent(1));
                   }),
        // Declined: the session is left to the caller.
        DriverCase("handheld_stored.scn", 1, {MsgAnswer::No}, ReadResult::Failed,
                   Log(1, {kResetCt, kRequestIcc, kSelectKvk}, false), {kKvkWarning}, {},
                   [](test::SimHarness& h) {
                       EXPECT_TRUE(h.session.SessionOpen());
                       EXPECT_TRUE(h.simulator().cardPresent(1));
                       EXPECT_EQ(h.state.tables.insured[1][Familienname], QString());
                   }),
        DriverCase("handheld_erase_unsupported.scn", 1, {MsgAnswer::Yes}, ReadResult::Done,
                   Log(1, handheldRead + QStringList{kErase}), {kKvkWarning}, {},
                   [](test::SimHarness& h) { EXPECT_TRUE(h.simulator().cardPresent(1)); }),
        DriverCase(
            "handheld_erase_fails.scn", 1, {MsgAnswer::Yes}, ReadResult::Failed,
            Log(1, handheldRead + QStringList{kErase}),
            {kKvkWarning,
             Stop(QStringLiteral(" ERASE BINARY Error! \r\n Datensatz konnte nicht gelöscht werden! "))},
            {},
            [](test::SimHarness& h) {
                EXPECT_EQ(h.state.tables.insured[1][Familienname] + h.state.tables.insured[1][Einlesedatum],
                          QString());
            }),
        DriverCase("handheld_fixed.scn", 1, {MsgAnswer::Yes}, ReadResult::Done,
                   Log(1, handheldRead + QStringList{kErase, kEject}), {kKvkWarning}),
        DriverCase("no_card_then_card.scn", 3, {MsgAnswer::Yes}, ReadResult::TryAgain,
                   Log(3, {kResetCt, kRequestIcc}), {kNoCard}),
        DriverCase("no_card_then_card.scn", 3, {MsgAnswer::No}, ReadResult::Failed,
                   Log(3, {kResetCt, kRequestIcc}), {kNoCard}),
        DriverCase("handheld_keycard.scn", 1, {MsgAnswer::No}, ReadResult::Failed, {},
                   {Ask(QStringLiteral(
                       " Keine Datensätze/KeyCard gefunden! \r\n Gerät ist zugeschlossen!\r\n\r\n Noch "
                       "einmal versuchen? "))},
                   [](test::SimHarness& h) { h.state.tables.terminal[1].IsLocked = true; }),
        DriverCase("handheld_empty.scn", 1, {MsgAnswer::No}, ReadResult::Failed, {},
                   {Ask(QStringLiteral(" Keine Datensätze gefunden!") + kAgain)}),
        DriverCase("handheld_locked.scn", 1, {MsgAnswer::No}, ReadResult::Failed, {},
                   {Ask(QStringLiteral(" Das mobile Chipkartenterminal ist zugeschlossen!") + kAgain)}),
        DriverCase(
            "stationary_menu_active.scn", 3, {MsgAnswer::No}, ReadResult::Failed, {},
            {Ask(QStringLiteral(" Die Chipkartenterminal Menü-Einstellungen sind aktiviert!") + kAgain)}),
        DriverCase("output_display.scn", 3, {}, ReadResult::Failed,
                   Log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk}), {kOutputMedium}),
        DriverCase("output_display_error.scn", 3, {}, ReadResult::Failed, {}, {kOutputMedium}),
        DriverCase(
            "old_aid.scn", 3, {MsgAnswer::Yes}, ReadResult::TryAgain,
            Log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk, kSelectOldKvk}),
            {Box(QStringLiteral(" Krankenversichertenkarte mit altem AID! \r\n Kein VEX Gerät!") + kAgain,
                 MsgButtons::YesNo, MsgIcon::Critical)}),
        DriverCase("no_kvk_application.scn", 3, {MsgAnswer::No}, ReadResult::Failed, {},
                   {Box(QStringLiteral(" Karte hat kein Krankenversichertenkarten AID!") + kAgain,
                        MsgButtons::YesNo, MsgIcon::Critical)}),
        DriverCase(
            Desk("card = memory\noverride 00A4040006D28000000101 = -10\n"), 3, {MsgAnswer::No},
            ReadResult::Failed, {},
            {Box(QStringLiteral("\r\n Noch einmal versuchen? "), MsgButtons::YesNo, MsgIcon::Critical)}),
        DriverCase(Desk("card = memory\noverride 00A4040006D27600000101 = -11\n"), 3, {}, ReadResult::Failed,
                   {}, {Stop(QStringLiteral(" Chipkartenterminal RETURN Fehler! "))}),
        // Any other refusal reads nothing and says nothing, but is never a success.
        DriverCase(Desk("card = memory\noverride 00A4040006D27600000101 = 6E00\n"), 3, {}, ReadResult::Failed,
                   Log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk}), {}),
        DriverCase(Desk("card = memory\noverride 00A4040006D27600000101 = 6D00\n"), 3, {}, ReadResult::Failed,
                   Log(3, {kResetCt, kRequestIcc, kResetIcc, kSelectKvk}), {}),
        DriverCase(Desk("card = kvk\ncard.record = @../../tests/data/kvk/k2-creek_TK_Apfel.hex\noverride "
                        "00B0 = 6B00\n"),
                   3, {}, ReadResult::Failed, Log(3, kvkRead), {}),
        DriverCase(Desk("init = -10\n"), 3, {}, ReadResult::Failed, {QStringLiteral("init 3")},
                   {Stop(kNotPossible +
                         QStringLiteral("Haben Sie als Ausgabemedium LCD-Anzeige/Drucker eingestellt ?! "))}),
        DriverCase(Desk("init = -127\n"), 3, {}, ReadResult::Failed, {QStringLiteral("init 3")},
                   {Stop(kNotPossible + QStringLiteral("Kommunikationsfehler ! "))}),
        DriverCase("switched_off.scn", 3, {}, ReadResult::Failed, {QStringLiteral("init 3")},
                   {Stop(kNotPossible +
                         QStringLiteral("Haben Sie als Ausgabemedium LCD-Anzeige/Drucker eingestellt ?! "))},
                   [](test::SimHarness& h) {
                       ASSERT_EQ(h.session.OpenTerminal(3), 0);      // the scan found it
                       static_cast<void>(h.session.CloseTerminal()); // only the next opening matters
                       h.clearLog();
                   }),
        DriverCase(Desk("override 201201 = -127\n"), 3, {}, ReadResult::Failed,
                   Log(3, {kResetCt, kRequestIcc}), {}),
    };
    for (const DriverCase& c : cases) {
        SCOPED_TRACE(c.scenario.left(80).toStdString() + " " + ::testing::PrintToString(c.answers));
        const auto h = test::Harness(
            c.scenario.endsWith(QLatin1String(".scn")) ? QStringLiteral("kvk/") + c.scenario : c.scenario);
        if (c.prepare)
            c.prepare(*h);
        for (const MsgAnswer answer : c.answers)
            h->boxes.script({answer});
        h->state.SelectedPort = c.pn;
        EXPECT_EQ(ReadInsuranceCard(h->ctx, c.pn), c.result);
        if (!c.log.isEmpty()) {
            EXPECT_EQ(h->apduLog(), c.log);
        }
        EXPECT_EQ(test::Shown(h->boxes.shown), c.boxes);
        EXPECT_EQ(h->state.tables.terminal[c.pn].HasCardData, c.result == ReadResult::Done);
        if (c.log.isEmpty() || c.log.last() == kClose) {
            EXPECT_FALSE(h->session.SessionOpen());
        }
        if (c.check)
            c.check(*h);
    }
}

TEST(ReadDriverTest, TemplateAndFixedFormatRecordsAreRead) {
    struct Case {
        const char* scenario;
        uint16_t pn;
        InsuredField field;
        const char* value;
        const char* medium;
    };
    const Case cases[] = {
        Case("stationary_template_6081.scn", 3, Familienname, "Apfel", "PC (ASN-1)"),
        Case("stationary_din66003.scn", 3, Familienname, "Hönsch", "PC (ASN-1)"),
        Case("stationary_fixed.scn", 2, Ortsname, "BERLIN", "PC (Festformat)"),
    };
    for (const Case& c : cases) {
        const auto h = test::Harness(QStringLiteral("kvk/") + QLatin1String(c.scenario));
        EXPECT_EQ(ReadInsuranceCard(h->ctx, c.pn), ReadResult::Done) << c.scenario;
        EXPECT_EQ(h->state.tables.insured[c.pn][c.field], QString::fromUtf8(c.value)) << c.scenario;
        EXPECT_EQ(h->state.tables.terminal[c.pn].OutputMedium.str().trimmed(), QString::fromLatin1(c.medium));
        EXPECT_TRUE(h->boxes.shown.empty()) << c.scenario;
    }
    // A wildcard length answered with the record and "end of file reached".
    const QString record = test::KvkRecordFile(QStringLiteral("k2-creek_TK_Apfel.hex"));
    const auto h = test::Harness(QStringLiteral("[terminal desk]\nports = 3\ncard = kvk\ncard.record = %1\n"
                                                "override 00B0 = %1 6282\n")
                                     .arg(record));
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 3), ReadResult::Done);
    EXPECT_EQ(h->state.tables.insured[3][Familienname], QStringLiteral("Apfel"));
}

TEST(ReadDriverTest, ThirdTryAfterNoCardReadsTheCard) {
    const auto h = test::Harness(QStringLiteral("kvk/no_card_then_card.scn"));
    h->boxes.script({MsgAnswer::Yes, MsgAnswer::No});
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 3), ReadResult::TryAgain);
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 3), ReadResult::Failed);
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 3), ReadResult::Done);
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

TEST(ReadDriverTest, ProcessorCardGoesToTheEgkReaderAfterClearingItsResults) {
    const auto h = test::Harness(QStringLiteral("[terminal desk]\nports = 8192\ncard = egk\n"));
    EgkResults& egk = h->state.tables.egk[5];
    egk.IccSerialNumber = QStringLiteral("80276883110000017222");
    egk.VsdStatus = QStringLiteral("00");
    egk.EgkValidationText = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    RecordingEgkReader reader;
    h->ctx.egk = &reader;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 8192), ReadResult::Done);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("card 8192")}));
    EXPECT_EQ(egk.IccSerialNumber + egk.VsdStatus + egk.EgkValidationText[0] + egk.EgkValidationText[1] +
                  egk.EgkValidationText[2],
              QString());
    EXPECT_TRUE(h->state.tables.terminal[5].IsEgk && h->state.tables.terminal[5].HasCardData);
    // The eGK answers REQUEST ICC with 9001 itself, so no RESET ICC follows.
    EXPECT_EQ(h->apduLog(), Log(8192, {kResetCt, kRequestIcc}));

    NoEgkReader none;
    h->ctx.egk = &none;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 8192), ReadResult::Failed);
    EXPECT_FALSE(h->state.tables.terminal[5].IsEgk || h->state.tables.terminal[5].HasCardData);
    EXPECT_FALSE(h->session.SessionOpen());
}

TEST(ReadDriverTest, HandheldEgkRecordNeedsTheWarningFirst) {
    const auto h =
        test::Harness(QStringLiteral("[terminal visit]\nports = 1\nkind = handheld\ncard = egk\n"));
    RecordingEgkReader reader;
    h->ctx.egk = &reader;
    h->boxes.script({MsgAnswer::No, MsgAnswer::Yes});
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Failed);
    EXPECT_TRUE(reader.calls.isEmpty());
    EXPECT_TRUE(h->session.SessionOpen());
    EXPECT_EQ(test::Shown(h->boxes.shown), QStringList{kEgkWarning});

    h->session.ResetAndCloseTerminal();
    reader.result = ReadResult::Refused;
    EXPECT_EQ(ReadInsuranceCard(h->ctx, 1), ReadResult::Failed);
    EXPECT_EQ(reader.calls, QStringList({QStringLiteral("mobile 1")}));
    EXPECT_FALSE(h->state.tables.terminal[1].IsEgk || h->state.tables.terminal[1].HasCardData);
}

} // namespace
} // namespace kc

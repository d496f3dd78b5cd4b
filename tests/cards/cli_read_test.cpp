#include "sim_harness.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString output;
};

// Runs the built console program against the built simulator library.
CliRun RunCli(const QStringList& args, const QString& scenario, const QByteArray& input,
              const QString& library = QString()) {
    const QString bin = kc::test::SimHarness::BinDir();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"),
               library.isEmpty() ? bin + QStringLiteral("/libmktsim.so") : library);
    env.insert(QStringLiteral("MKTSIM_SCENARIO"),
               QDir(kc::test::SimHarness::ScenarioDir()).filePath(scenario));
    env.remove(QStringLiteral("MKTSIM_TRACE"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(bin + QStringLiteral("/kartocheck-cli"), args);
    EXPECT_TRUE(process.waitForStarted()) << qPrintable(process.errorString());
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

TEST(CliReadTest, StationaryKvkIsReadWithOneOkAndItsFieldsArePrinted) {
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("3")},
                              QStringLiteral("kvk/insert_card_later.scn"), "o\n");
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(
        QStringLiteral(" Bitte eine Krankenversichertenkarte in \n Kartenkontaktiereinheit 1 "
                       "einführen. \n\n Das Chipkartenterminal verwendet die Schnittstelle: "
                       "\n\n COM  3\n[OK] [Abbrechen]  (Vorgabe: Abbrechen)\n")))
        << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(QStringLiteral("Krankenversicherten Kartendaten(Karte)\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Familienname:             Apfel\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Vorname:                  Amelie Sina\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Krankenkassenname:        Techniker Krankenkasse\n")));
    EXPECT_FALSE(run.output.contains(QStringLiteral("Einlesedatum")));
    // The status page follows the card data.
    const auto status = run.output.indexOf(QStringLiteral("\nStatus\n"));
    ASSERT_GT(status, run.output.indexOf(QStringLiteral("Gültigkeitsdatum:")));
    EXPECT_TRUE(run.output.mid(status).contains(QStringLiteral("  Ausgabemedium:            PC (ASN-1)")));
}

TEST(CliReadTest, HandheldShowsTheEraseWarningAndReadsNothingOnNo) {
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("1")},
                              QStringLiteral("kvk/handheld_stored.scn"), "n\n");
    EXPECT_EQ(run.exitCode, 1) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(
        QStringLiteral(" Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! \n Nach Durchführen eines "
                       "Lesetests an einem VEX "
                       "K7/Serie Q3/Q4 Gerät \n mit dieser Testsoftware wird der gelesene Datensatz \n "
                       "automatisch gelöscht!\n\n"
                       "                          Möchten Sie fortfahren? \n[Ja] [Nein]  (Vorgabe: Nein)\n")))
        << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(QStringLiteral("Krankenversicherten Kartendaten(Mobil)\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Familienname:             \n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Zulassungsnummer:         \n")));
}

TEST(CliReadTest, HandheldRecordIsReadOnYesWithTheHandheldRows) {
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("1")},
                              QStringLiteral("kvk/handheld_stored.scn"), "ja\n");
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Einlesedatum:             15032024\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Zulassungsnummer:         109\n")));
}

TEST(CliReadTest, TracePrintsEveryCommandAndAnswer) {
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("3"), QStringLiteral("--trace")},
                              QStringLiteral("kvk/stationary_template_6081.scn"), "");
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(QStringLiteral("[Trace] CT_init pn=3 -> 0\n")));
    EXPECT_TRUE(
        run.output.contains(QStringLiteral("[Trace] an Karte:  00B0000000\n[Trace] von Karte: 60818B")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("[Trace] CT_close -> 0\n")));
}

TEST(CliReadTest, CancelledPromptAtEndOfInputReadsNothing) {
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("3")},
                              QStringLiteral("kvk/insert_card_later.scn"), "");
    EXPECT_EQ(run.exitCode, 1) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(QStringLiteral("-> Abbrechen")));
}

TEST(CliReadTest, RetryQuestionsStopOnceInputHasEnded) {
    // The menu refuses every read and "try again" is the default: without input
    // the first question takes the default, the next one stops the loop.
    const CliRun run = RunCli({QStringLiteral("read"), QStringLiteral("3")},
                              QStringLiteral("kvk/stationary_menu_active.scn"), "");
    EXPECT_EQ(run.exitCode, 1) << qPrintable(run.output);
    EXPECT_EQ(run.output.count(QStringLiteral(" Die Chipkartenterminal Menü-Einstellungen sind aktiviert! ")), 2);
    EXPECT_TRUE(run.output.contains(QStringLiteral("-> Ja (Eingabe beendet)\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("-> Nein (Eingabe beendet)\n")));
}

TEST(CliReadTest, MissingLibraryEndsWithStatusTwo) {
    const CliRun run =
        RunCli({QStringLiteral("read"), QStringLiteral("3")}, QStringLiteral("kvk/insert_card_later.scn"), "",
               QStringLiteral("/nonexistent/libnothing.so"));
    EXPECT_EQ(run.exitCode, 2) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(
        QStringLiteral("=== \" KartoCheck \" (Stopp) ===\nDatei nicht gefunden, CTZAV32.dll !!!\n[OK]\n")));
}

TEST(CliReadTest, LibraryThatExitsIsReportedAndTheProgramGoesOn) {
    // The library calls exit(1) on READ BINARY: only its helper goes.
    const CliRun run =
        RunCli({QStringLiteral("read"), QStringLiteral("3")}, QStringLiteral("kvk/insert_card_later.scn"), "",
               QStringLiteral(KC_BROKEN_CTAPI_DIR "/libctapi_exits.so"));
    const qsizetype lost = run.output.indexOf(
        QStringLiteral("Status: Die Terminalbibliothek hat sich unerwartet beendet ("));
    ASSERT_GE(lost, 0) << qPrintable(run.output);
    EXPECT_GT(run.output.indexOf(QStringLiteral("Status: Die Krankenversichertendaten werden angezeigt"), lost), lost);
}

TEST(CliReadTest, WrongCallsShowTheUsage) {
    for (const QStringList& args : {QStringList{}, QStringList{QStringLiteral("read")},
                                    QStringList{QStringLiteral("read"), QStringLiteral("COM3")},
                                    QStringList{QStringLiteral("lesen"), QStringLiteral("3")}}) {
        const CliRun run = RunCli(args, QStringLiteral("kvk/insert_card_later.scn"), "");
        EXPECT_EQ(run.exitCode, 64) << qPrintable(args.join(QLatin1Char(' ')));
        EXPECT_TRUE(run.output.contains(QStringLiteral("Aufruf: kartocheck-cli read PN")));
    }
}

} // namespace

// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli read as a person runs it: the built program on the built
// simulator library, answers typed on standard input.
#include "cli_runner.h"
#include "scratch_dir.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace kc::test {
namespace {

CliResult Read(const QString& port, const QString& scenario, const QByteArray& input,
               const QStringList& options = {}, const QString& simulatorTrace = {}) {
    return RunCli({QStringList{QStringLiteral("read"), port} + options, scenario, input, {}, simulatorTrace});
}

TEST(CliReadTest, StationaryKvkIsReadWithOneOkAndItsFieldsArePrinted) {
    const CliResult run = Read(QStringLiteral("3"), QStringLiteral("kvk/insert_card_later.scn"), "o\n");
    EXPECT_EQ(run.status, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral(" Bitte eine Krankenversichertenkarte in \n Kartenkontaktiereinheit 1 "
                       "einführen. \n\n Das Chipkartenterminal verwendet die Schnittstelle: "
                       "\n\n COM  3\n[OK] [Abbrechen]  (Vorgabe: Abbrechen)\nAntwort (o/a): -> OK\n")))
        << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Krankenversicherten Kartendaten(Karte)\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("  Familienname:             Apfel\n")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("Einlesedatum")));
    // The port was tested first; its status page follows the card data.
    const auto status = run.out.indexOf(QStringLiteral("\nStatus\n"));
    ASSERT_GT(status, run.out.indexOf(QStringLiteral("Gültigkeitsdatum:")));
    EXPECT_TRUE(run.out.mid(status).contains(
        QStringLiteral("  Serielle Schnittstelle:   Ist nicht vorhanden bzw. wird vom System benutzt!\n")));
    EXPECT_TRUE(run.out.mid(status).contains(QStringLiteral("  Ausgabemedium:            PC (ASN-1)\n")));
}

TEST(CliReadTest, HandheldAsksBeforeItsRecordIsReadAndErased) {
    const QString warning =
        QStringLiteral(" Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! \n Nach Durchführen eines "
                       "Lesetests an einem VEX K7/Serie Q3/Q4 Gerät \n mit dieser Testsoftware wird der "
                       "gelesene Datensatz \n automatisch gelöscht!\n\n"
                       "                          Möchten Sie fortfahren? \n[Ja] [Nein]  (Vorgabe: Nein)\n");
    const CliResult declined = Read(QStringLiteral("1"), QStringLiteral("kvk/handheld_stored.scn"), "n\n");
    EXPECT_EQ(declined.status, 1) << qPrintable(declined.err);
    EXPECT_TRUE(declined.err.contains(warning)) << qPrintable(declined.err);
    EXPECT_TRUE(declined.out.contains(
        QStringLiteral("Krankenversicherten Kartendaten(Mobil)\n  Krankenkassenname:\n")));

    const CliResult agreed = Read(QStringLiteral("1"), QStringLiteral("kvk/handheld_stored.scn"), "ja\n");
    EXPECT_EQ(agreed.status, 0) << qPrintable(agreed.err);
    EXPECT_TRUE(agreed.out.contains(QStringLiteral("  Einlesedatum:             15032024\n")));
    EXPECT_TRUE(agreed.out.contains(QStringLiteral("  Zulassungsnummer:         109\n")));
}

TEST(CliReadTest, TraceGivesEveryCommandAndAnswerWithItsTime) {
    const CliResult run = Read(QStringLiteral("3"), QStringLiteral("kvk/stationary_template_6081.scn"), "",
                               {QStringLiteral("--trace"), QStringLiteral("-")});
    EXPECT_EQ(run.status, 0) << qPrintable(run.err);
    const QString time = QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} ");
    EXPECT_TRUE(run.err.contains(QRegularExpression(time + QStringLiteral("CT_init pn=3 -> 0\n"))));
    EXPECT_TRUE(run.err.contains(QRegularExpression(time + QStringLiteral("an Karte:  00B0000000\n") + time +
                                                    QStringLiteral("von Karte: 60818B"))));
    EXPECT_TRUE(run.err.contains(QRegularExpression(time + QStringLiteral("CT_close -> 0\n"))));
    EXPECT_FALSE(run.out.contains(QStringLiteral("CT_init")));
}

unsigned ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

// The console's trace and the simulator's both hold what the card said.
TEST(CliReadTest, TracesAreReadableOnlyByTheUserAndALinkIsRefusedBeforeTheTerminal) {
    const ScratchDir scratch;
    const std::filesystem::path simulatorTrace = scratch.path() / "simulator.txt";
    const std::filesystem::path trace = scratch.path() / "trace.txt";
    const QString simulatorTraceName = QString::fromStdString(simulatorTrace.string());
    const CliResult written =
        Read(QStringLiteral("3"), QStringLiteral("kvk/stationary_template_6081.scn"), "",
             {QStringLiteral("--trace"), QString::fromStdString(trace.string())}, simulatorTraceName);
    EXPECT_EQ(written.status, 0) << qPrintable(written.err);
    EXPECT_EQ(ModeOf(trace), 0600u);
    EXPECT_EQ(ModeOf(simulatorTrace), 0600u);
    std::filesystem::remove(simulatorTrace);

    const std::filesystem::path link = scratch.path() / "link.txt";
    std::filesystem::create_symlink(trace, link);
    const CliResult refused =
        Read(QStringLiteral("3"), QStringLiteral("kvk/stationary_template_6081.scn"), "",
             {QStringLiteral("--trace"), QString::fromStdString(link.string())}, simulatorTraceName);
    EXPECT_EQ(refused.status, 64);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Die Trace-Datei ") +
                                     QString::fromStdString(link.string()) +
                                     QStringLiteral(" lässt sich nicht schreiben: Sie ist ein symbolischer "
                                                    "Verweis. Ein Trace enthält die Daten der versicherten "
                                                    "Person")))
        << qPrintable(refused.err);
    EXPECT_FALSE(std::filesystem::exists(simulatorTrace)) << "the terminal library was called";
}

TEST(CliReadTest, LibraryThatExitsIsReportedAndTheProgramGoesOn) {
    // The library calls exit(1) on READ BINARY: only its helper goes.
    const CliResult run = RunCli({{QStringLiteral("read"), QStringLiteral("3")},
                                  QStringLiteral("kvk/insert_card_later.scn"),
                                  "",
                                  QStringLiteral(KC_BROKEN_CTAPI_DIR "/libctapi_exits.so")});
    const qsizetype lost =
        run.err.indexOf(QStringLiteral("Status: Die Terminalbibliothek hat sich unerwartet beendet ("));
    ASSERT_GE(lost, 0) << qPrintable(run.err);
    EXPECT_GT(run.err.indexOf(QStringLiteral("Status: Die Krankenversichertendaten werden angezeigt"), lost),
              lost);
}

} // namespace
} // namespace kc::test

// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli scan and diagnose as a person runs them: the program with
// the simulator as its terminal library, answers typed on standard input.

#include "cli_runner.h"
#include "test_printers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

TEST(CliScan, DefaultScenarioFindsTheUsbTerminalAndReadsItsCard) {
    const CliResult run = RunCli({{QStringLiteral("scan")}, {}, "o\no\no\n", {}});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("=== KartoCheck Ergebnis ===\n"
                                 "  1 Chipkartenleser gefunden.\n"
                                 "  Siehe Schnittstellen weitere ...\n"));
    EXPECT_TRUE(run.out.contains("Weitere Schnittstellen:\n  USB Device 1 (pn=8192  )\n"));
    EXPECT_TRUE(run.out.contains("  Hersteller:               DEZAV\n"));
    // The card data of the slot that was read close the report.
    EXPECT_GT(run.out.indexOf("Krankenkassenname:"), run.out.indexOf("Weitere Schnittstellen:"));
    // The search of further ports is summed up, not listed port by port.
    EXPECT_LT(run.err.count(QStringLiteral("Programm prüft")), 20);
    // COM 1 to 4 lead to devices that do not exist, and the person is told how to name others.
    EXPECT_TRUE(
        run.err.contains(QRegularExpression("Hinweis: COM 2: Das Gerät /nonexistent/kc[0-9-]+-com2 gibt es "
                                            "nicht \\(KARTOCHECK_COM2 kann ein anderes nennen\\)\\.\n")));
}

TEST(CliScan, NoTerminalAnywhere) {
    const CliResult run =
        RunCli({{QStringLiteral("scan")}, QStringLiteral("discovery/free-ports.scn"), "", {}});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("=== KartoCheck Ergebnis ===\n  Keinen Chipkartenleser gefunden!\n"));
    EXPECT_TRUE(run.out.contains("Weitere Schnittstellen:\n  (keine)\n"));
}

TEST(CliScan, DiagnoseAsksItsQuestionsAndTestsThePortAgain) {
    // Yes to the cable, No to the power: the advice, then the re-test of COM 2, which does not exist here.
    const CliResult run = RunCli({{QStringLiteral("diagnose"), QStringLiteral("2")},
                                  QStringLiteral("discovery/free-ports.scn"),
                                  "j\nn\n",
                                  {}});
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(
        "=== \" KartoCheck Diagnose \" (Frage) ===\nHaben Sie das Zavia Chipkartenterminal mit dem \n"
        "Anschlußkabel"));
    EXPECT_TRUE(run.err.contains("Schließen Sie das Zavia Chipkartenterminal mit dem "));
    EXPECT_TRUE(
        run.out.contains("  Serielle Schnittstelle:   Ist nicht vorhanden bzw. wird vom System benutzt!"));
}

TEST(CliScan, DiagnoseOfAFurtherPortFindsTheTerminalNow) {
    // No to the output format; then OK to insert a card, which never comes, and input ends.
    const CliResult run = RunCli({{QStringLiteral("diagnose"), QStringLiteral("9")},
                                  QStringLiteral("discovery/mct-6f00-port9.scn"),
                                  "j\nj\nn\no\n",
                                  {}});
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    // No card in it: the insert-card box names the port number.
    EXPECT_TRUE(run.err.contains(" Das Chipkartenterminal verwendet die Schnittstelle: \n\n9) "));
    // Trying again takes the default once input has ended; the next prompt then stops.
    EXPECT_TRUE(run.err.contains("-> Ja (Eingabe beendet)\n"));
    EXPECT_TRUE(run.err.contains("-> Abbrechen (Eingabe beendet)\n"));
}

} // namespace
} // namespace kc::test

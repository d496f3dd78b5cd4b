// kartocheck-cli scan and diagnose as a person runs them: the program with
// the simulator as its terminal library, answers typed on standard input.

#include "qstring_print.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace kc {
namespace {

struct CliRun {
    int exitCode = -1;
    QString output;
};

// ctest names the folders; the build's own paths stand in when it does not.
QString EnvOr(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

QString ScenarioPath(const QString& name) { return QDir(EnvOr("KC_SCENARIOS", KC_SOURCE_SCENARIOS)).filePath(name); }

QString CliProgram() { return QDir(EnvOr("KC_BIN_DIR", KC_BUILD_BIN_DIR)).filePath(QStringLiteral("kartocheck-cli")); }

// COM 1 to 4 lead nowhere, so the run does not depend on the machine's serial ports.
CliRun RunCli(const QStringList& args, const QByteArray& input, const QString& scenario = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (int n = 1; n <= 4; ++n)
        env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n), QStringLiteral("/nonexistent/kartocheck-com%1").arg(n));
    env.remove(QStringLiteral("KARTOCHECK_CTAPI"));
    env.remove(QStringLiteral("MKTSIM_TRACE"));
    if (scenario.isEmpty())
        env.remove(QStringLiteral("MKTSIM_SCENARIO"));
    else
        env.insert(QStringLiteral("MKTSIM_SCENARIO"), ScenarioPath(scenario));
    process.setProcessEnvironment(env);
    process.start(CliProgram(), args);
    CliRun run;
    if (!process.waitForStarted(10000))
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(90000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

TEST(CliScan, DefaultScenarioFindsTheUsbTerminalAndReadsItsCard) {
    const CliRun run = RunCli({QStringLiteral("scan")}, "o\no\no\n");
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("=== KartoCheck Ergebnis ===\n"
                                    "  1 Chipkartenleser gefunden.\n"
                                    "  Siehe Schnittstellen weitere ...\n"));
    EXPECT_TRUE(run.output.contains("Weitere Schnittstellen:\n  USB Device 1 (pn=8192  )\n"));
    EXPECT_TRUE(run.output.contains("--- USB Device 1 ---"));
    EXPECT_TRUE(run.output.contains("  MCT Modell:               Serie Q4" + QString(42, QLatin1Char(' ')) + "\n"));
    EXPECT_TRUE(run.output.contains("  Hersteller:               DEZAV\n"));
    EXPECT_TRUE(run.output.contains("Status: Die Krankenversichertendaten werden gelesen"));
    // The card data of the slot that was read close the report.
    const qsizetype card = run.output.indexOf(QStringLiteral("Krankenkassenname:"));
    EXPECT_GT(card, run.output.indexOf(QStringLiteral("Weitere Schnittstellen:")));
    // The search of further ports is summed up, not listed port by port.
    EXPECT_LT(run.output.count(QStringLiteral("Programm prüft")), 20);
}

TEST(CliScan, NoTerminalAnywhere) {
    const CliRun run = RunCli({QStringLiteral("scan")}, "", QStringLiteral("discovery/free-ports.scn"));
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("=== KartoCheck Ergebnis ===\n  Keinen Chipkartenleser gefunden!\n"));
    EXPECT_TRUE(run.output.contains("Weitere Schnittstellen:\n  (keine)\n"));
    EXPECT_FALSE(run.output.contains("Krankenkassenname:"));
}

TEST(CliScan, WrongArgumentIsAUsageError) {
    const CliRun run = RunCli({QStringLiteral("scan"), QStringLiteral("--fast")}, "");
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.output.contains("Unbekannte Angabe: --fast"));
}

TEST(CliScan, DiagnoseAsksItsQuestionsAndTestsThePortAgain) {
    // Yes to the cable, No to the power: the advice, then the re-test of COM 2, which does not exist here.
    const CliRun run = RunCli({QStringLiteral("diagnose"), QStringLiteral("2")}, "j\nn\n",
                              QStringLiteral("discovery/free-ports.scn"));
    EXPECT_EQ(run.exitCode, 1) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("=== \" KartoCheck Diagnose \" (Frage) ===\nHaben Sie das Zavia Chipkartenterminal mit dem \n"
                                    "Anschlußkabel"));
    EXPECT_TRUE(run.output.contains("Schließen Sie das Zavia Chipkartenterminal mit dem "));
    EXPECT_TRUE(run.output.contains("Status: Programm prüft die serielle Schnittstelle COM 2"));
    EXPECT_TRUE(run.output.contains("  Serielle Schnittstelle:   Ist nicht vorhanden bzw. wird vom System benutzt!"));
}

TEST(CliScan, DiagnoseOfAFurtherPortFindsTheTerminalNow) {
    // No to the output format; then OK to insert a card, which never comes, and input ends.
    const CliRun run = RunCli({QStringLiteral("diagnose"), QStringLiteral("9")}, "j\nj\nn\no\n",
                              QStringLiteral("discovery/mct-6f00-port9.scn"));
    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("Status: Programm prüft die serielle Schnittstelle COM 9"));
    EXPECT_TRUE(run.output.contains("  MCT Modell:               Modell MCT Q1 CT-BCS (0.9)"));
    // No card in it: the insert-card box names the port number.
    EXPECT_TRUE(run.output.contains(" Das Chipkartenterminal verwendet die Schnittstelle: \n\n9) "));
    // Trying again takes the default once input has ended; the next prompt then stops.
    EXPECT_TRUE(run.output.contains("-> Ja (Eingabe beendet)\n"));
    EXPECT_TRUE(run.output.contains("-> Abbrechen (Eingabe beendet)\n"));
}

} // namespace
} // namespace kc

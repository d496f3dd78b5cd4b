// kartocheck-cli and pcsc_scan as a person runs them, on readers of a private
// pcscd whose cards the simulator plays; the same cards read through the
// simulator's own CT-API library are the measure.

#include "pcscd_fixture.h"

#include <QTemporaryDir>
#include <cctype>

namespace kc::test {
namespace {

// The card data as printed: the status line and the hints name the port,
// and the status page its kind, which differ between a serial simulator
// terminal and a PC/SC reader; everything else must match.
QString WithoutStatusPage(const QString& output) {
    QStringList kept;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("Status: ")) && !line.startsWith(QLatin1String("Hinweis: ")))
            kept.append(line);
    }
    QString data = kept.join(QLatin1Char('\n'));
    const qsizetype start = data.indexOf(QStringLiteral("\nStatus\n"));
    if (start < 0)
        return data;
    const qsizetype end = data.indexOf(QStringLiteral("\n\n"), start + 1);
    return data.remove(start, (end < 0 ? data.size() : end) - start);
}

// The card data a scan shows at its end.
QString ScanCardData(const QString& output) {
    const qsizetype start = output.indexOf(QStringLiteral("eGK VSDaten(Karte)"));
    return start < 0 ? QString() : output.mid(start);
}

QStringList Read(const QString& pn) {
    return {QStringLiteral("read"), pn, QStringLiteral("--xml")};
}

struct SameCard {
    const char* scenario;
    const char* simulatorPort; // where the scenario puts the terminal for the simulator's library
};

void PrintTo(const SameCard& card, std::ostream* out) {
    *out << card.scenario;
}

class ReadThroughPcscd : public PcscdTest, public ::testing::WithParamInterface<SameCard> {};

TEST_P(ReadThroughPcscd, GivesWhatTheSimulatorsOwnLibraryGives) {
    const QString scenario = QString::fromUtf8(GetParam().scenario);
    ASSERT_TRUE(InsertCard(scenario));
    const ProgramRun pcsc = RunCli(Read(QStringLiteral("8192")), PcscLibrary());
    const ProgramRun simulator = RunCli(Read(QString::fromUtf8(GetParam().simulatorPort)), SimulatorLibrary(),
                                        {QStringLiteral("MKTSIM_SCENARIO=") + ScenarioPath(scenario)});
    ASSERT_EQ(pcsc.exitCode, 0) << pcsc.output.toStdString();
    ASSERT_EQ(simulator.exitCode, 0) << simulator.output.toStdString();
    EXPECT_EQ(WithoutStatusPage(pcsc.output).toStdString(),
              WithoutStatusPage(simulator.output).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cards, ReadThroughPcscd,
                         ::testing::Values(SameCard{"default.scn", "8192"},
                                           SameCard{"egk/stationary_gvd_in_ef_gvd.scn", "8192"},
                                           SameCard{"kvk/stationary_template_60.scn", "3"}),
                         [](const ::testing::TestParamInfo<SameCard>& row) {
                             std::string name = row.param.scenario;
                             name = name.substr(0, name.rfind('.'));
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

using ScanThroughPcscd = PcscdTest;

TEST_F(ScanThroughPcscd, FindsIdentifiesAndReadsTheReaders) {
    // vpcd brings two readers; both hold the eGK, so that the slot the scan shows last has read it.
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 0));
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 1));
    const ProgramRun pcsc = RunCli({QStringLiteral("scan")}, PcscLibrary());
    const ProgramRun simulator =
        RunCli({QStringLiteral("scan")}, SimulatorLibrary(), {QStringLiteral("MKTSIM_SCENARIO=")});
    ASSERT_EQ(pcsc.exitCode, 0) << pcsc.output.toStdString();
    EXPECT_TRUE(pcsc.output.contains("=== KartoCheck Ergebnis ===\n  2 Chipkartenleser gefunden.\n"));
    EXPECT_TRUE(pcsc.output.contains(
        "Weitere Schnittstellen:\n  USB Device 1 (pn=8192  )\n  USB Device 2 (pn=8193  )\n"));
    // Identified through GET STATUS: the manufacturer data object this library answers with.
    EXPECT_TRUE(pcsc.output.contains("  MCT Modell:               Unbekannt"));
    EXPECT_TRUE(pcsc.output.contains("  Hersteller:               KARTO\n  CT-Typ:                   PC/SC\n"
                                     "  Software Version:         1.0.0\n"));
    EXPECT_FALSE(ScanCardData(pcsc.output).isEmpty()) << pcsc.output.toStdString();
    EXPECT_EQ(ScanCardData(pcsc.output).toStdString(), ScanCardData(simulator.output).toStdString());
}

using CardLeavesThroughPcscd = PcscdTest;

TEST_F(CardLeavesThroughPcscd, MidReadGivesTheMessageAndTheNextReadWorks) {
    const QString scenario = QStringLiteral("pcsc/card_pulled_mid_read.scn");
    ASSERT_TRUE(InsertCard(scenario));
    const ProgramRun broken = RunCli(Read(QStringLiteral("8192")), PcscLibrary());
    EXPECT_NE(broken.exitCode, -1) << "the read did not end";
    EXPECT_TRUE(broken.output.contains("Read EF VD war nicht erfolgreich!")) << broken.output.toStdString();

    ASSERT_TRUE(pcscd().WaitForCard(0, false, std::chrono::seconds(10)));
    ASSERT_TRUE(pcscd().WaitForCard(0, true, std::chrono::seconds(10)));
    const ProgramRun again = RunCli(Read(QStringLiteral("8192")), PcscLibrary());
    const ProgramRun simulator = RunCli(Read(QStringLiteral("8192")), SimulatorLibrary(),
                                        {QStringLiteral("MKTSIM_SCENARIO=") + ScenarioPath(scenario)});
    ASSERT_EQ(again.exitCode, 0) << again.output.toStdString();
    EXPECT_EQ(WithoutStatusPage(again.output).toStdString(),
              WithoutStatusPage(simulator.output).toStdString());
}

using PcscScan = PcscdTest;

TEST_F(PcscScan, ListsTheVirtualReadersAndTheCardsAnswersToReset) {
    const QString pcscScan = QStringLiteral("/usr/bin/pcsc_scan");
    if (!QFile::exists(pcscScan))
        GTEST_SKIP() << "pcsc_scan is not installed (Debian package pcsc-tools, see scripts/install-deps.sh)";
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 0));
    ASSERT_TRUE(InsertCard(QStringLiteral("kvk/stationary_template_60.scn"), 1));
    const ProgramRun run = RunProgram(pcscScan, {QStringLiteral("-c"), QStringLiteral("-n")});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(" Reader 0: Virtual PCD 00 00\n")) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains("  ATR: 3B D3 96 FF 81 B1 FE 45 1F 07 80 81 05 2D\n"));
    EXPECT_TRUE(run.output.contains(" Reader 1: Virtual PCD 00 01\n"));
    EXPECT_TRUE(run.output.contains("  ATR: 3B 8F 80 01 80 4F 0C A0 00 00 03 06 00 00 00 00 00 00 00 68\n"));
}

// Needs no pcscd at all: the library must say so at once.
TEST(NoPcscd, CtInitFailsAndTheScanFindsNoTerminal) {
    if (!QFile::exists(PcscLibrary()))
        GTEST_SKIP() << "libctapi-pcsc.so is not built";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QStringList nobody{QStringLiteral("PCSCLITE_CSOCK_NAME=") +
                             folder.filePath(QStringLiteral("pcscd.comm"))};
    const ProgramRun read = RunCli(
        {QStringLiteral("read"), QStringLiteral("8192"), QStringLiteral("--trace"), QStringLiteral("-")},
        PcscLibrary(), nobody);
    EXPECT_TRUE(read.output.contains(" CT_init pn=8192 -> -128\n")) << read.output.toStdString();
    const ProgramRun scan = RunCli({QStringLiteral("scan")}, PcscLibrary(), nobody);
    EXPECT_EQ(scan.exitCode, 1) << scan.output.toStdString();
    EXPECT_TRUE(scan.output.contains("=== KartoCheck Ergebnis ===\n  Keinen Chipkartenleser gefunden!\n"));
    EXPECT_TRUE(scan.output.contains("Weitere Schnittstellen:\n  (keine)\n"));
}

} // namespace
} // namespace kc::test

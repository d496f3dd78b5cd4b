// kartocheck-cli and pcsc_scan as a person runs them, on readers of a private
// pcscd whose cards the simulator plays; the same cards read through the
// simulator's own CT-API library are the measure.

#include "pcscd_fixture.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

// kartocheck-cli through the PC/SC library, or with the scenario through the simulator's own.
CliResult Pcsc(const QStringList& args) {
    return RunCli({args, QString(), {}, PcscLibrary()});
}
CliResult Simulator(const QStringList& args, const QString& scenario) {
    return RunCli({args, scenario, {}, QString()});
}

const QStringList kRead{QStringLiteral("read"), QStringLiteral("8192"), QStringLiteral("--xml")};
const QStringList kScan{QStringLiteral("scan")};

struct SameCard {
    const char* name;
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
    const CliResult pcsc = Pcsc(kRead);
    QStringList read = kRead;
    read[1] = QString::fromUtf8(GetParam().simulatorPort);
    const CliResult simulator = Simulator(read, scenario);
    ASSERT_EQ(pcsc.status, 0) << pcsc.out.toStdString();
    ASSERT_EQ(simulator.status, 0) << simulator.out.toStdString();
    EXPECT_EQ(WithoutStatusPage(pcsc.out).toStdString(), WithoutStatusPage(simulator.out).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cards, ReadThroughPcscd,
                         ::testing::Values(SameCard{"default", "default.scn", "8192"},
                                           SameCard{"egk_gvd", "egk/stationary_gvd_in_ef_gvd.scn", "8192"},
                                           SameCard{"kvk_template_60", "kvk/stationary_template_60.scn",
                                                    "3"}),
                         [](const auto& row) { return std::string(row.param.name); });

using ScanThroughPcscd = PcscdTest;

TEST_F(ScanThroughPcscd, FindsIdentifiesAndReadsTheReaders) {
    // vpcd brings two readers; both hold the eGK, so that the slot the scan shows last has read it.
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 0));
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 1));
    const CliResult pcsc = Pcsc(kScan);
    ASSERT_EQ(pcsc.status, 0) << pcsc.out.toStdString();
    EXPECT_TRUE(pcsc.out.contains("=== KartoCheck Ergebnis ===\n  2 Chipkartenleser gefunden.\n"));
    EXPECT_TRUE(pcsc.out.contains(
        "Weitere Schnittstellen:\n  USB Device 1 (pn=8192  )\n  USB Device 2 (pn=8193  )\n"));
    // Identified through GET STATUS: the manufacturer data object this library answers with.
    EXPECT_TRUE(pcsc.out.contains("  MCT Modell:               Unbekannt"));
    EXPECT_TRUE(pcsc.out.contains("  Hersteller:               KARTO\n  CT-Typ:                   PC/SC\n"
                                  "  Software Version:         1.0.0\n"));
    EXPECT_FALSE(ScanCardData(pcsc.out).isEmpty()) << pcsc.out.toStdString();
    EXPECT_EQ(ScanCardData(pcsc.out).toStdString(),
              ScanCardData(Simulator(kScan, QString()).out).toStdString());
}

using CardLeavesThroughPcscd = PcscdTest;

TEST_F(CardLeavesThroughPcscd, MidReadGivesTheMessageAndTheNextReadWorks) {
    const QString scenario = QStringLiteral("pcsc/card_pulled_mid_read.scn");
    ASSERT_TRUE(InsertCard(scenario));
    const CliResult broken = Pcsc(kRead);
    EXPECT_NE(broken.status, -1) << "the read did not end";
    EXPECT_TRUE(broken.err.contains("Read EF VD war nicht erfolgreich!")) << broken.err.toStdString();

    ASSERT_TRUE(pcscd().WaitForCard(0, false, std::chrono::seconds(10)));
    ASSERT_TRUE(pcscd().WaitForCard(0, true, std::chrono::seconds(10)));
    const CliResult again = Pcsc(kRead);
    ASSERT_EQ(again.status, 0) << again.out.toStdString();
    EXPECT_EQ(WithoutStatusPage(again.out).toStdString(),
              WithoutStatusPage(Simulator(kRead, scenario).out).toStdString());
}

using PcscScan = PcscdTest;

TEST_F(PcscScan, ListsTheVirtualReadersAndTheCardsAnswersToReset) {
    const QString pcscScan = QStringLiteral("/usr/bin/pcsc_scan");
    if (!QFile::exists(pcscScan))
        GTEST_SKIP() << "pcsc_scan is not installed (Debian package pcsc-tools, see scripts/install-deps.sh)";
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 0));
    ASSERT_TRUE(InsertCard(QStringLiteral("kvk/stationary_template_60.scn"), 1));
    QProcess run;
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(pcscScan, {QStringLiteral("-c"), QStringLiteral("-n")});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString output = QString::fromUtf8(run.readAll());
    ASSERT_EQ(run.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(" Reader 0: Virtual PCD 00 00\n")) << output.toStdString();
    EXPECT_TRUE(output.contains("  ATR: 3B D3 96 FF 81 B1 FE 45 1F 07 80 81 05 2D\n"));
    EXPECT_TRUE(output.contains(" Reader 1: Virtual PCD 00 01\n"));
    EXPECT_TRUE(output.contains("  ATR: 3B 8F 80 01 80 4F 0C A0 00 00 03 06 00 00 00 00 00 00 00 68\n"));
}

// Needs no pcscd at all: the library must say so at once.
TEST(NoPcscd, CtInitFailsAndTheScanFindsNoTerminal) {
    if (!QFile::exists(PcscLibrary()))
        GTEST_SKIP() << "libctapi-pcsc.so is not built";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray before = qgetenv("PCSCLITE_CSOCK_NAME");
    qputenv("PCSCLITE_CSOCK_NAME", folder.filePath(QStringLiteral("pcscd.comm")).toLocal8Bit());
    const CliResult read = Pcsc(
        {QStringLiteral("read"), QStringLiteral("8192"), QStringLiteral("--trace"), QStringLiteral("-")});
    const CliResult scan = Pcsc(kScan);
    if (before.isNull())
        qunsetenv("PCSCLITE_CSOCK_NAME");
    else
        qputenv("PCSCLITE_CSOCK_NAME", before);
    EXPECT_TRUE(read.err.contains(" CT_init pn=8192 -> -128\n")) << read.err.toStdString();
    EXPECT_EQ(scan.status, 1) << scan.out.toStdString();
    EXPECT_TRUE(scan.out.contains("=== KartoCheck Ergebnis ===\n  Keinen Chipkartenleser gefunden!\n"));
    EXPECT_TRUE(scan.out.contains("Weitere Schnittstellen:\n  (keine)\n"));
}

} // namespace
} // namespace kc::test

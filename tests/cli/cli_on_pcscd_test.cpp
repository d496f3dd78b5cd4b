// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli on readers of a private pcscd whose cards the simulator
// plays; the same cards read through the simulator's own library are the measure.

#include "pcscd_fixture.h"

#include <QTemporaryDir>

namespace kc::test {
namespace {

// The card data as printed. The status line, the hints and the status page
// name the port and its kind, which differ between a serial simulator
// terminal and a PC/SC reader; everything else must match.
std::string CardData(const QString& output) {
    QStringList kept;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("Status: ")) && !line.startsWith(QLatin1String("Hinweis: ")))
            kept.append(line);
    }
    QString data = kept.join(QLatin1Char('\n'));
    const qsizetype start = data.indexOf(QStringLiteral("\nStatus\n"));
    if (start >= 0) {
        const qsizetype end = data.indexOf(QStringLiteral("\n\n"), start + 1);
        data.remove(start, (end < 0 ? data.size() : end) - start);
    }
    return data.toStdString();
}

CliResult Pcsc(const QStringList& args) {
    return RunCli({args, QString(), {}, PcscLibrary()});
}
CliResult Simulator(const QStringList& args, const QString& scenario) {
    return RunCli({args, scenario, {}, QString()});
}

const QStringList kRead{QStringLiteral("read"), QStringLiteral("8192"), QStringLiteral("--xml")};
const QStringList kScan{QStringLiteral("scan")};

using CliOnPcscd = PcscdTest;

TEST_F(CliOnPcscd, ScanFindsAndIdentifiesTheReaders) {
    // An empty reader would make the result a failure.
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 0));
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn"), 1));
    const CliResult pcsc = Pcsc(kScan);
    ASSERT_EQ(pcsc.status, 0) << pcsc.out.toStdString();
    for (const char* text :
         {"=== KartoCheck Ergebnis ===\n  2 Chipkartenleser gefunden.\n",
          "Weitere Schnittstellen:\n  USB Device 1 (pn=8192  )\n  USB Device 2 (pn=8193  )\n",
          // Identified through GET STATUS: the manufacturer data object this library answers with.
          "  MCT Modell:               Unbekannt",
          "  Hersteller:               KARTO\n  CT-Typ:                   PC/SC\n  Software Version:         "
          "1.0.0\n"})
        EXPECT_TRUE(pcsc.out.contains(QString::fromUtf8(text))) << text;
}

TEST_F(CliOnPcscd, CardLeavingMidReadGivesTheMessageAndTheNextReadWorks) {
    const QString scenario = QStringLiteral("pcsc/card_pulled_mid_read.scn");
    ASSERT_TRUE(InsertCard(scenario));
    const CliResult broken = Pcsc(kRead);
    EXPECT_NE(broken.status, -1) << "the read did not end";
    EXPECT_TRUE(broken.err.contains("Read EF VD war nicht erfolgreich!")) << broken.err.toStdString();

    ASSERT_TRUE(pcscd().WaitForCard(0, false, std::chrono::seconds(10)));
    ASSERT_TRUE(pcscd().WaitForCard(0, true, std::chrono::seconds(10)));
    const CliResult again = Pcsc(kRead);
    ASSERT_EQ(again.status, 0) << again.out.toStdString();
    EXPECT_EQ(CardData(again.out), CardData(Simulator(kRead, scenario).out));
}

// Without a pcscd the library must say so at once.
TEST(NoPcscd, CtInitFails) {
    QTemporaryDir folder;
    const QByteArray before = qgetenv("PCSCLITE_CSOCK_NAME");
    qputenv("PCSCLITE_CSOCK_NAME", folder.filePath(QStringLiteral("pcscd.comm")).toLocal8Bit());
    const CliResult read = Pcsc(
        {QStringLiteral("read"), QStringLiteral("8192"), QStringLiteral("--trace"), QStringLiteral("-")});
    before.isNull() ? qunsetenv("PCSCLITE_CSOCK_NAME") : qputenv("PCSCLITE_CSOCK_NAME", before);
    EXPECT_TRUE(read.err.contains(" CT_init pn=8192 -> -128\n")) << read.err.toStdString();
}

} // namespace
} // namespace kc::test

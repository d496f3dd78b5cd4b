// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli with the serial library, COM 1 on the emulator's pseudo-terminal:
// its speed and plug-and-play probes, identification and reads go over the line,
// and a hang-up on the line ends in the program's German messages.
#include "serial_test_support.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

struct CliCase {
    const char* name;
    const char* emulatorFault; // empty: none
    const char* arguments;
    QStringList expected; // in the output, in this order
    int exitCode;
};

void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOnSerialLine : public ::testing::TestWithParam<CliCase> {};

// The emulator's modem lines and framing go through the preload library.
TEST_P(CliOnSerialLine, RunsToItsEnd) {
    const CliCase& param = GetParam();
    QTemporaryDir dir;
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    std::vector<std::string> options = {"--line-signals", lineSignals.toStdString()};
    if (*param.emulatorFault)
        options.insert(options.end(), {"--fault", param.emulatorFault});
    sim::serial::EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, "egk/stationary_test_lab_card.scn", options));

    QProcessEnvironment env = PreloadEnvironment(lineSignals);
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), QString::fromStdString(BuiltFile("libctapi-serial.so")));
    env.insert(QStringLiteral("KARTOCHECK_COM1"), QString::fromStdString(emulator.devicePath()));
    for (int n = 2; n <= 4; ++n)
        env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n),
                   QStringLiteral("/nonexistent/kartocheck-com%1").arg(n));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setStandardInputFile(QProcess::nullDevice());
    program.start(QString::fromStdString(BuiltFile("kartocheck-cli")),
                  QString::fromLatin1(param.arguments).split(QLatin1Char(' ')));
    if (!program.waitForFinished(90000)) {
        program.kill();
        program.waitForFinished(5000);
        FAIL() << "the program did not end";
    }
    const QString output = QString::fromUtf8(program.readAll());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(program.exitCode(), param.exitCode) << output.toStdString();
    qsizetype from = 0;
    for (const QString& text : param.expected) {
        const qsizetype at = output.indexOf(text, from);
        EXPECT_GE(at, 0) << "missing in order: " << text.toStdString() << "\n" << output.toStdString();
        from = at < 0 ? from : at + text.size();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CliOnSerialLine,
    ::testing::Values(
        CliCase{"scan_finds_identifies_and_reads_an_egk",
                "",
                "scan",
                {QStringLiteral("  An COM 1 Chipkartenleser gefunden. Baudrate: 9600     Baud.\n"),
                 QStringLiteral("--- COM 1 ---"), QStringLiteral("  Baudrate:                 9600 Baud"),
                 QStringLiteral("  MCT Modell:               Serie Q4"),
                 QStringLiteral("  PnP Device ID:            DEZ0042"),
                 QStringLiteral("  Familienname:             Nullmayr")},
                0},
        CliCase{"hang_up_in_a_chained_answer_of_the_egk_read",
                "hangup@0",
                "read 1",
                {QStringLiteral("Die Krankenversichertendaten werden gelesen"),
                 QStringLiteral("Read EF VD war nicht erfolgreich!"),
                 QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!")},
                1}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kc::test

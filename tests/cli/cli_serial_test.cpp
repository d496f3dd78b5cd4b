// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli with the serial library, COM 1 on the emulator's pseudo-terminal:
// its speed and plug-and-play probes, identification and reads go over the line,
// and a hang-up on the line ends in the program's German messages.
#include "data_cases.h"
#include "serial_test_support.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

class CliOnSerialLine : public ::testing::TestWithParam<DataCase> {};

// A case of tests/data/cli/cli_serial_runs.txt; the emulator's modem lines and framing go
// through the preload library.
TEST_P(CliOnSerialLine, RunsToItsEnd) {
    const DataCase& c = GetParam();
    QTemporaryDir dir;
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    std::vector<std::string> options = {"--line-signals", lineSignals.toStdString()};
    if (!c.field("fault").isEmpty())
        options.insert(options.end(), {"--fault", c.field("fault").toStdString()});
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
                  c.field("args").split(QLatin1Char(' ')));
    if (!program.waitForFinished(90000)) {
        program.kill();
        program.waitForFinished(5000);
        FAIL() << "the program did not end";
    }
    const QString output = QString::fromUtf8(program.readAll());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(program.exitCode(), c.field("status").toInt()) << output.toStdString();
    qsizetype from = 0;
    for (const QString& line : c.lines) {
        if (!line.startsWith(QLatin1String("out: ")))
            continue;
        const QString text = line.mid(5).replace(QLatin1String("\\n"), QLatin1String("\n"));
        const qsizetype at = output.indexOf(text, from);
        EXPECT_GE(at, 0) << "missing in order: " << text.toStdString() << "\n" << output.toStdString();
        from = at < 0 ? from : at + text.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, CliOnSerialLine, ::testing::ValuesIn(DataCases("cli/cli_serial_runs.txt")),
                         CaseName());

} // namespace
} // namespace kc::test

// kartocheck-cli with the serial CT-API library, its COM 1 on the emulator's
// pseudo-terminal: the program's own speed and plug-and-play probes, the
// identification and the reads go over the line as they would to a serial
// terminal, and faults on the line end in the program's German messages.
#include "serial_test_support.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

const char* const kEgk = "egk/stationary_test_lab_card.scn";

struct CliCase {
    const char* name;
    const char* scenario;
    QString emulatorFault; // empty: none
    QString arguments;
    QStringList expected; // in the output, in this order
    int exitCode = 0;
    QByteArray input = "";
    const char* traced = ""; // in the emulator's trace of commands
};

void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

class CliOnSerialLine : public ::testing::TestWithParam<CliCase> {};

// The program as a person runs it, with the serial library, COM 1 on the
// emulator (its modem lines and framing through the preload library) and no
// other COM port.
TEST_P(CliOnSerialLine, RunsToItsEnd) {
    const CliCase& param = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    std::vector<std::string> options = {"--line-signals", lineSignals.toStdString(), "--trace",
                                        trace.toStdString()};
    if (!param.emulatorFault.isEmpty())
        options.insert(options.end(), {"--fault", param.emulatorFault.toStdString()});
    sim::serial::EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, param.scenario, options));

    QProcessEnvironment env = PreloadEnvironment(lineSignals);
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), QString::fromStdString(BuiltFile("libctapi-serial.so")));
    env.insert(QStringLiteral("KARTOCHECK_COM1"), QString::fromStdString(emulator.devicePath()));
    for (int n = 2; n <= 4; ++n)
        env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n),
                   QStringLiteral("/nonexistent/kartocheck-com%1").arg(n));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QString::fromStdString(BuiltFile("kartocheck-cli")),
                  param.arguments.split(QLatin1Char(' ')));
    ASSERT_TRUE(program.waitForStarted(10000));
    program.write(param.input);
    program.closeWriteChannel();
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
    emulator.stop();
    QFile traceFile(trace);
    ASSERT_TRUE(traceFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(traceFile.readAll().contains(param.traced));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CliOnSerialLine,
    ::testing::Values(
        CliCase{"scan_finds_identifies_and_reads_an_egk",
                kEgk,
                "",
                "scan",
                {QStringLiteral("  An COM 1 Chipkartenleser gefunden. Baudrate: 9600     Baud.\n"),
                 QStringLiteral("--- COM 1 ---"), QStringLiteral("  Baudrate:                 9600 Baud"),
                 QStringLiteral("  MCT Modell:               Serie Q4"),
                 QStringLiteral("  PnP Device ID:            DEZ0042"),
                 QStringLiteral("  Familienname:             Nullmayr")}},
        CliCase{"read_a_kvk_from_a_terminal_at_115200_baud",
                "kvk-com2.scn",
                "",
                "read 1",
                {QStringLiteral("Krankenversicherten Kartendaten(Karte)"),
                 QStringLiteral("  Familienname:             Apfel")}},
        CliCase{"handheld_record_read_and_erased",
                "kvk/handheld_stored.scn",
                "",
                "read 1",
                {QStringLiteral(" Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! "),
                 QStringLiteral("Krankenversicherten Kartendaten(Mobil)"),
                 QStringLiteral("  Familienname:             Apfel")},
                0,
                "j\n",
                "cmd=000E0000 -> resp=9000"},
        CliCase{"silent_terminal",
                kEgk,
                "silence",
                "read 1 --batch",
                {QStringLiteral(" Bitte eine Krankenversichertenkarte in ")},
                1},
        CliCase{"hang_up_in_a_chained_answer_of_the_egk_read",
                kEgk,
                "hangup@0",
                "read 1",
                {QStringLiteral("Die Krankenversichertendaten werden gelesen"),
                 QStringLiteral("Read EF VD war nicht erfolgreich!"),
                 QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!")},
                1}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kc::test

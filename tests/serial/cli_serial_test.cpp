// kartocheck-cli with the serial CT-API library, its COM 1 on the emulator's
// pseudo-terminal: the program's own speed and plug-and-play probes, the
// identification and the reads go over the line as they would to a serial
// terminal, and faults on the line end in the program's German messages.
#include "serial_test_support.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

struct CliCase {
    const char* name;
    const char* scenario;
    std::vector<std::string> emulatorOptions;
    QStringList arguments;
    QByteArray input;
    int exitCode;
    QStringList expected;    // in the output, in this order
    const char* traced = ""; // in the emulator's trace of commands
};

void PrintTo(const CliCase& c, std::ostream* os) {
    *os << c.name;
}

// The program as a person runs it, with the serial library, COM 1 on the
// emulator (its modem lines and framing through the preload library) and no
// other COM port.
QProcessEnvironment ProgramEnvironment(const std::string& device, const QString& lineSignals) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), QString::fromStdString(BuiltFile("libctapi-serial.so")));
    env.insert(QStringLiteral("KARTOCHECK_COM1"), QString::fromStdString(device));
    for (int n = 2; n <= 4; ++n)
        env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n),
                   QStringLiteral("/nonexistent/kartocheck-com%1").arg(n));
    env.insert(QStringLiteral("LD_PRELOAD"),
               QString::fromStdString(BuiltFile("libmktsim-serial-preload.so")));
    env.insert(QStringLiteral("MKTSIM_SERIAL_LINE_SIGNALS"), lineSignals);
    // A sanitizer build wants its run-time first; the preload library comes before it.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    return env;
}

class CliOnSerialLine : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliOnSerialLine, RunsToItsEnd) {
    const CliCase& param = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    const QString trace = dir.filePath(QStringLiteral("trace.txt"));
    std::vector<std::string> options = {"--line-signals", lineSignals.toStdString(), "--trace",
                                        trace.toStdString()};
    options.insert(options.end(), param.emulatorOptions.begin(), param.emulatorOptions.end());
    sim::serial::EmulatorProcess emulator;
    ASSERT_TRUE(StartEmulator(emulator, param.scenario, options));

    QProcess program;
    program.setProcessEnvironment(ProgramEnvironment(emulator.devicePath(), lineSignals));
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QString::fromStdString(BuiltFile("kartocheck-cli")), param.arguments);
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

const QString kProbe = QStringLiteral("Die Krankenversichertendaten werden gelesen");

INSTANTIATE_TEST_SUITE_P(
    Runs, CliOnSerialLine,
    ::testing::Values(
        CliCase{"scan_finds_identifies_and_reads_an_egk",
                "egk/stationary_test_lab_card.scn",
                {},
                {QStringLiteral("scan")},
                "",
                0,
                {QStringLiteral("  An COM 1 Chipkartenleser gefunden. Baudrate: 9600     Baud.\n"),
                 QStringLiteral("--- COM 1 ---"), QStringLiteral("  Baudrate:                 9600 Baud"),
                 QStringLiteral("  MCT Modell:               Serie Q4"),
                 QStringLiteral("  PnP Device ID:            DEZ0042"),
                 QStringLiteral("  Familienname:             Nullmayr")}},
        CliCase{"read_a_kvk_from_a_terminal_at_115200_baud",
                "kvk-com2.scn",
                {},
                {QStringLiteral("read"), QStringLiteral("1")},
                "",
                0,
                {QStringLiteral("Krankenversicherten Kartendaten(Karte)"),
                 QStringLiteral("  Familienname:             Apfel")}},
        CliCase{"handheld_record_read_and_erased",
                "kvk/handheld_stored.scn",
                {},
                {QStringLiteral("read"), QStringLiteral("1")},
                "j\n",
                0,
                {QStringLiteral(" Achtung, Lesetest an einem VEX K7/Serie Q3/Q4 Gerät! "),
                 QStringLiteral("Krankenversicherten Kartendaten(Mobil)"),
                 QStringLiteral("  Familienname:             Apfel")},
                "cmd=000E0000 -> resp=9000"},
        CliCase{"silent_terminal",
                "egk/stationary_test_lab_card.scn",
                {"--fault", "silence"},
                {QStringLiteral("read"), QStringLiteral("1"), QStringLiteral("--batch")},
                "",
                1,
                {QStringLiteral(" Bitte eine Krankenversichertenkarte in ")}},
        CliCase{"hang_up_in_a_chained_answer_of_the_egk_read",
                "egk/stationary_test_lab_card.scn",
                {"--fault", "hangup@0"},
                {QStringLiteral("read"), QStringLiteral("1")},
                "",
                1,
                {kProbe, QStringLiteral("Read EF VD war nicht erfolgreich!"),
                 QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!")}},
        CliCase{"terminal_stops_answering_in_the_egk_read",
                "egk/stationary_test_lab_card.scn",
                {"--fault", "nak@8"},
                {QStringLiteral("read"), QStringLiteral("1"), QStringLiteral("--batch")},
                "",
                1,
                {kProbe, QStringLiteral("Kommando Select DF HCA war nicht erfolgreich!")}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace kc::test

// The cross-check with a CT-API library nobody here wrote: Debian's
// libctapimkt reads the same cards through the same emulator, and every
// answer it gets has the bytes our serial library gets. libctapimkt always
// opens /dev/ttyS0; the emulator's preload library opens the
// pseudo-terminal in its place.
#include "serial_test_support.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

const char* const kOtherLibrary = "libctapimkt.so.1";

struct CrossCase {
    const char* name;
    const char* scenario;
    QStringList commands; // DAD:HEX
};

void PrintTo(const CrossCase& c, std::ostream* os) {
    *os << c.name;
}

bool OtherLibraryInstalled() {
    void* handle = dlopen(kOtherLibrary, RTLD_NOW | RTLD_LOCAL);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

// The client's lines for one library on a fresh emulator. libctapimkt leaves
// the source address alone, so that part of each line is not compared.
QStringList ClientLines(const QString& library, const char* scenario, const QStringList& commands,
                        bool other) {
    QTemporaryDir dir;
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    sim::serial::EmulatorProcess emulator;
    EXPECT_TRUE(StartEmulator(emulator, scenario, {"--line-signals", lineSignals.toStdString()}));
    const QString device = QString::fromStdString(emulator.devicePath());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (other) {
        env.insert(QStringLiteral("LD_PRELOAD"),
                   QString::fromStdString(BuiltFile("libmktsim-serial-preload.so")));
        env.insert(QStringLiteral("MKTSIM_SERIAL_REDIRECT"), QStringLiteral("/dev/ttyS0=") + device);
        // It sets even parity, which a pseudo-terminal refuses; the preload library keeps it.
        env.insert(QStringLiteral("MKTSIM_SERIAL_LINE_SIGNALS"), lineSignals);
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    } else {
        env.insert(QStringLiteral("KARTOCHECK_COM1"), device);
    }
    QProcess client;
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(KC_CTAPI_CLIENT),
                 QStringList{library, QStringLiteral("1"), QStringLiteral("1")} + commands);
    // libctapimkt waits for ever on a silent line: the wait is bounded here.
    if (!client.waitForFinished(30000)) {
        client.kill();
        client.waitForFinished(5000);
        ADD_FAILURE() << library.toStdString() << " did not finish";
    }
    QString output = QString::fromUtf8(client.readAllStandardOutput());
    return output.remove(QRegularExpression(QStringLiteral(" sad=\\d")))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class CtApiMktCrossCheck : public ::testing::TestWithParam<CrossCase> {};

TEST_P(CtApiMktCrossCheck, GetsTheSameBytesAsOurLibrary) {
    if (!OtherLibraryInstalled())
        GTEST_SKIP()
            << "Debian's libctapimkt1 is not installed (apt-get install libctapimkt1); no cross-check";
    const CrossCase& param = GetParam();
    const QStringList ours = ClientLines(QString::fromStdString(BuiltFile("libctapi-serial.so")),
                                         param.scenario, param.commands, false);
    const QStringList theirs =
        ClientLines(QString::fromLatin1(kOtherLibrary), param.scenario, param.commands, true);
    EXPECT_EQ(theirs, ours);
    // Every command was answered with data and a status word, by both.
    ASSERT_EQ(ours.size(), param.commands.size() + 2);
    for (const QString& line : ours.mid(1, param.commands.size()))
        EXPECT_TRUE(
            line.contains(QRegularExpression(QStringLiteral(" -> 0 ([0-9A-F]{2})*(90|62)[0-9A-F]{2}$"))))
            << line.toStdString();
}

const QStringList kCardStart = {QStringLiteral("1:2011000000"), QStringLiteral("1:201201000101"),
                                QStringLiteral("1:20110100")};

INSTANTIATE_TEST_SUITE_P(
    Cards, CtApiMktCrossCheck,
    ::testing::Values(
        CrossCase{"kvk", "kvk/stationary_template_6081.scn",
                  kCardStart + QStringList{QStringLiteral("0:00A4040006D27600000101"),
                                           QStringLiteral("0:00B0000000"), QStringLiteral("1:2013008100")}},
        // The test-lab eGK: serial number, VD and PD whole in chained answers, the VSD status.
        CrossCase{"egk", "egk/stationary_test_lab_card.scn",
                  kCardStart + QStringList{QStringLiteral("0:00B0820000"),
                                           QStringLiteral("0:00A4040C06D27600000102"),
                                           QStringLiteral("0:00A4020C02D002"), QStringLiteral("0:00B0000004"),
                                           QStringLiteral("0:00B00008FE"), QStringLiteral("0:00B00106A3"),
                                           QStringLiteral("0:00A4020C02D001"), QStringLiteral("0:00B0000002"),
                                           QStringLiteral("0:00B00002FE"), QStringLiteral("0:00B00100A6"),
                                           QStringLiteral("0:00A4020C02D00C"), QStringLiteral("0:00B0000019"),
                                           QStringLiteral("1:2013004600")}}),
    [](const auto& test) { return std::string(test.param.name); });

} // namespace
} // namespace kc::test

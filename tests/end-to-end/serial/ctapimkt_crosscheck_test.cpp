// SPDX-License-Identifier: Apache-2.0
// The cross-check with a CT-API library nobody here wrote: Debian's
// libctapimkt reads the same cards through the same emulator, and every
// answer it gets has the bytes our serial library gets. libctapimkt always
// opens /dev/ttyS0; the emulator's preload library opens the
// pseudo-terminal in its place.
#include "serial_test_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

const char* const kOtherLibrary = "libctapimkt.so.1";

// The client's lines for one library on a fresh emulator. libctapimkt leaves
// the source address alone, so that part of each line is not compared.
QStringList ClientLines(const QString& library, const char* scenario, const QStringList& calls, bool other) {
    QTemporaryDir dir;
    const QString lineSignals = dir.filePath(QStringLiteral("line-signals"));
    sim::serial::EmulatorProcess emulator;
    EXPECT_TRUE(StartEmulator(emulator, scenario, {"--line-signals", lineSignals.toStdString()}));
    const QString device = QString::fromStdString(emulator.devicePath());
    // libctapimkt sets even parity, which a pseudo-terminal refuses; the preload library keeps it.
    QProcessEnvironment env =
        other ? PreloadEnvironment(lineSignals) : QProcessEnvironment::systemEnvironment();
    env.insert(other ? QStringLiteral("MKTSIM_SERIAL_REDIRECT") : QStringLiteral("KARTOCHECK_COM1"),
               other ? QStringLiteral("/dev/ttyS0=") + device : device);
    QProcess client;
    client.setProcessEnvironment(env);
    client.start(QStringLiteral(KC_CTAPI_CLIENT), QStringList{library, QStringLiteral("CT")} + calls);
    // libctapimkt waits for ever on a silent line: the wait is bounded here.
    if (!client.waitForFinished(30000)) {
        client.kill();
        client.waitForFinished(5000);
        ADD_FAILURE() << library.toStdString() << " did not finish";
    }
    QString output = QString::fromUtf8(client.readAllStandardOutput());
    return output
        .remove(
            QRegularExpression(QStringLiteral("(?<=[0-9A-F]{4}) \\d$"), QRegularExpression::MultilineOption))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The test-lab eGK: serial number, VD and PD whole in chained answers, the VSD status.
TEST(CtApiMktCrossCheck, GetsTheSameBytesAsOurLibrary) {
    void* other = dlopen(kOtherLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!other)
        GTEST_SKIP()
            << "Debian's libctapimkt1 is not installed (apt-get install libctapimkt1); no cross-check";
    dlclose(other);
    const char* const scenario = "egk/stationary_test_lab_card.scn";
    const QStringList calls =
        QStringLiteral(
            "init:1 1:2011000000 1:201201000101 1:20110100 0:00B0820000 0:00A4040C06D27600000102 "
            "0:00A4020C02D002 0:00B0000004 0:00B00008FE 0:00B00106A3 0:00A4020C02D001 0:00B0000002 "
            "0:00B00002FE 0:00B00100A6 0:00A4020C02D00C 0:00B0000019 1:2013004600 close")
            .split(QLatin1Char(' '));
    const QStringList ours =
        ClientLines(QString::fromStdString(BuiltFile("libctapi-serial.so")), scenario, calls, false);
    EXPECT_EQ(ClientLines(QString::fromLatin1(kOtherLibrary), scenario, calls, true), ours);
    EXPECT_EQ(ours.size(), calls.size());
    EXPECT_FALSE(ours.join(QLatin1Char('\n')).contains(QStringLiteral(" -> -"))) << "a call failed";
}

} // namespace
} // namespace kc::test

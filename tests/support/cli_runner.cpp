// SPDX-License-Identifier: Apache-2.0
#include "cli_runner.h"

#include "sim_harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace kc::test {

CliResult RunCli(const CliCall& call) {
    const QString bin = SimHarness::BinDir();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (call.library == QLatin1String("-"))
        env.remove(QStringLiteral("KARTOCHECK_CTAPI"));
    else
        env.insert(QStringLiteral("KARTOCHECK_CTAPI"),
                   call.library.isEmpty() ? bin + QStringLiteral("/libmktsim.so") : call.library);
    if (!call.configHome.isEmpty())
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), call.configHome);
    // Names of their own per run: the serial port takes a lock on the name
    // before it finds that the device is missing, and tests run side by side.
    static int runs = 0;
    const QString token = QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(++runs);
    for (int n = 1; n <= 4; ++n)
        env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n),
                   QStringLiteral("/nonexistent/kc%1-com%2").arg(token).arg(n));
    for (const char* name : {"MKTSIM_SCENARIO", "MKTSIM_TRACE", "CTAPI_PCSC_TRACE"})
        env.remove(QString::fromLatin1(name));
    if (!call.scenario.isEmpty())
        env.insert(QStringLiteral("MKTSIM_SCENARIO"),
                   QDir(SimHarness::ScenarioDir()).filePath(call.scenario));

    QProcess process;
    process.setProcessEnvironment(env);
    process.start(call.program.isEmpty() ? bin + QStringLiteral("/kartocheck-cli") : call.program, call.args);
    CliResult result;
    if (!process.waitForStarted(10000))
        return result;
    process.write(call.input);
    process.closeWriteChannel();
    if (!process.waitForFinished(90000))
        return result; // ~QProcess kills it
    if (process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

} // namespace kc::test

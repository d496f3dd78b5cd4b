// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli in a tree laid out as installed (libraries in lib/kartocheck,
// no libctzav32.so) without a settings file: the list instead of the box,
// libraries --use, and --library for one call.
#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

struct Installed {
    QTemporaryDir root;
    QString bin = root.filePath("bin");
    QString lib = root.filePath("lib/kartocheck");

    Installed() {
        QDir().mkpath(bin);
        QDir().mkpath(lib);
        QFile::copy(SimHarness::BinDir() + "/kartocheck-cli", bin + "/kartocheck-cli");
        for (const char* file : {"kartocheck-ctapi-host", "libmktsim.so", "libctapi-serial.so"})
            QFile::copy(SimHarness::BinDir() + "/" + file, lib + "/" + file);
    }
    // Status, then stdout and stderr.
    std::pair<int, QString> run(const QStringList& args) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("KARTOCHECK_CTAPI");
        env.remove("MKTSIM_SCENARIO");
        env.insert("XDG_CONFIG_HOME", root.filePath("config"));
        for (int n = 1; n <= 4; ++n)
            env.insert(QStringLiteral("KARTOCHECK_COM%1").arg(n),
                       root.filePath(QStringLiteral("no-com%1").arg(n)));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(bin + "/kartocheck-cli", args);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            return {-1, {}};
        return {process.exitCode(),
                QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())};
    }
};

TEST(CliLibraries, WithoutChoiceListsAndEndsWithTwoThenUseAndLibraryChoose) {
    Installed tree;
    const struct {
        QStringList args;
        int status;
        QString shows;
        QString never;
    } steps[] = {
        {{"scan", "--batch"}, 2, "  libmktsim.so  " + tree.lib + "/libmktsim.so", "CTZAV32"},
        {{"status", "1", "--library", "libmktsim.so"}, 1, "Status", "Keine Terminal-Bibliothek gewählt"},
        {{"libraries", "--use", "libnirgends.so"},
         1,
         "Terminal-Bibliothek nicht gefunden: libnirgends.so",
         "gewählt:"},
        {{"libraries", "--use", "libmktsim.so"},
         0,
         "Terminal-Bibliothek gewählt: " + tree.lib + "/libmktsim.so",
         ""},
        {{"libraries"}, 0, "* libmktsim.so  " + tree.lib + "/libmktsim.so", "In Gebrauch: keine"},
        {{"--version"}, 0, "Terminal-Bibliothek: " + tree.lib + "/libmktsim.so (Simulator", ""},
        {{"scan", "--batch", "--library", tree.root.filePath("fehlt.so")},
         2,
         "Datei nicht gefunden, CTZAV32.dll !!!\n[OK]\nGesucht wurde die Terminal-Bibliothek " +
             tree.root.filePath("fehlt.so") + "; eine andere zeigt und wählt: kartocheck-cli libraries",
         ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.args.join(' ').toStdString());
        const auto [status, output] = tree.run(step.args);
        EXPECT_EQ(status, step.status) << qPrintable(output);
        EXPECT_TRUE(output.contains(step.shows)) << qPrintable(output);
        if (!step.never.isEmpty()) {
            EXPECT_FALSE(output.contains(step.never)) << qPrintable(output);
        }
    }
}

} // namespace
} // namespace kc::test

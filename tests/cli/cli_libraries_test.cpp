// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli in a tree laid out as installed (libraries in lib/kartocheck,
// no libctzav32.so) without a settings file: the list instead of the box,
// libraries --use, and --library for one call.
#include "cli_runner.h"
#include "data_rows.h"
#include "sim_harness.h"

#include <QDir>
#include <QFile>
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
        const CliResult r =
            RunCli({args, {}, {}, QStringLiteral("-"), bin + "/kartocheck-cli", root.filePath("config")});
        return {r.status, r.out + r.err};
    }
};

// The steps of tests/data/cli/libraries_steps.txt, in their order: each builds on the ones before.
TEST(CliLibraries, WithoutChoiceListsAndEndsWithTwoThenUseAndLibraryChoose) {
    Installed tree;
    for (QStringList step : CaseRows("cli/libraries_steps.txt")) {
        for (QString& cell : step)
            cell.replace("{lib}", tree.lib).replace("{root}", tree.root.path());
        SCOPED_TRACE(step[0].toStdString());
        const auto [status, output] = tree.run(step[0].split(QLatin1Char(' ')));
        EXPECT_EQ(status, step[1].toInt()) << qPrintable(output);
        EXPECT_TRUE(output.contains(step[2])) << qPrintable(output);
        EXPECT_TRUE(step[3].isEmpty() || !output.contains(step[3])) << qPrintable(output);
    }
}

} // namespace
} // namespace kc::test

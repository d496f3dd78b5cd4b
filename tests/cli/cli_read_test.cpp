// SPDX-License-Identifier: Apache-2.0
// The traces of kartocheck-cli read: what the card said stays with the user.
#include "cli_runner.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace kc::test {
namespace {

CliResult Read(const QString& port, const QString& scenario, const QByteArray& input,
               const QStringList& options = {}, const QString& simulatorTrace = {}) {
    return RunCli({QStringList{QStringLiteral("read"), port} + options, scenario, input, {}, simulatorTrace});
}

unsigned ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

// The console's trace and the simulator's both hold what the card said.
TEST(CliReadTest, TracesAreReadableOnlyByTheUserAndALinkIsRefusedBeforeTheTerminal) {
    const ScratchDir scratch;
    const std::filesystem::path simulatorTrace = scratch.path() / "simulator.txt";
    const std::filesystem::path trace = scratch.path() / "trace.txt";
    const QString simulatorTraceName = QString::fromStdString(simulatorTrace.string());
    const CliResult written =
        Read(QStringLiteral("3"), QStringLiteral("kvk/stationary_template_6081.scn"), "",
             {QStringLiteral("--trace"), QString::fromStdString(trace.string())}, simulatorTraceName);
    EXPECT_EQ(written.status, 0) << qPrintable(written.err);
    EXPECT_EQ(ModeOf(trace), 0600u);
    EXPECT_EQ(ModeOf(simulatorTrace), 0600u);
    std::filesystem::remove(simulatorTrace);

    const std::filesystem::path link = scratch.path() / "link.txt";
    std::filesystem::create_symlink(trace, link);
    const CliResult refused =
        Read(QStringLiteral("3"), QStringLiteral("kvk/stationary_template_6081.scn"), "",
             {QStringLiteral("--trace"), QString::fromStdString(link.string())}, simulatorTraceName);
    EXPECT_EQ(refused.status, 64);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Die Trace-Datei ") +
                                     QString::fromStdString(link.string()) +
                                     QStringLiteral(" lässt sich nicht schreiben: Sie ist ein symbolischer "
                                                    "Verweis. Ein Trace enthält die Daten der versicherten "
                                                    "Person")))
        << qPrintable(refused.err);
    EXPECT_FALSE(std::filesystem::exists(simulatorTrace)) << "the terminal library was called";
}

} // namespace
} // namespace kc::test

#include "sim_harness.h"

#include "terminal/command_table.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(SimHarnessTest, RecordsInitCommandsAndCloseInOrder) {
    test::SimHarness h;
    ASSERT_TRUE(h.loadText(QStringLiteral("[terminal desk]\nports = 3\n"))) << qPrintable(h.loadError());
    ASSERT_EQ(h.session.OpenTerminal(3), 0);
    QString response;
    EXPECT_EQ(h.session.TransmitApdu(Commands().CmdRequestIcc1, kToTerminal, response), 0);
    EXPECT_EQ(response, "6200");
    h.session.ResetAndCloseTerminal();
    EXPECT_EQ(h.apduLog(), QStringList({"init 3", "201201000101", "2011000000", "close"}));
    EXPECT_EQ(h.responses(), QStringList({"6200", "9000"}));
    EXPECT_FALSE(h.session.SessionOpen());
}

TEST(SimHarnessTest, ReportsScenarioErrorsAndFailsEveryOpenWithoutOne) {
    test::SimHarness h;
    EXPECT_FALSE(h.loadText(QStringLiteral("[terminal desk]\nport = 3\n")));
    EXPECT_FALSE(h.loadError().isEmpty());
    EXPECT_EQ(h.session.OpenTerminal(3), -128);
    EXPECT_EQ(h.apduLog(), QStringList({"init 3"}));
}

TEST(SimHarnessTest, LoadsScenarioFilesFromTheScenarioFolder) {
    test::SimHarness h;
    ASSERT_TRUE(h.loadFile(QStringLiteral("kvk-com2.scn"))) << qPrintable(h.loadError());
    EXPECT_EQ(h.session.OpenTerminal(2), 0);
    EXPECT_FALSE(h.loadFile(QStringLiteral("no-such-file.scn")));
}

TEST(CardScenarioFilesTest, EveryScenarioLoadsAndServesItsTerminal) {
    for (const QString& folder : {QStringLiteral("kvk"), QStringLiteral("egk")}) {
        const QDir dir(test::SimHarness::ScenarioDir() + QLatin1Char('/') + folder);
        const QStringList files = dir.entryList({QStringLiteral("*.scn")}, QDir::Files);
        EXPECT_GE(files.size(), 15) << qPrintable(folder);
        for (const QString& file : files) {
            test::SimHarness h;
            ASSERT_TRUE(h.loadFile(folder + QLatin1Char('/') + file)) << qPrintable(h.loadError());
            EXPECT_FALSE(h.simulator().scenario().terminals.empty()) << qPrintable(file);
        }
    }
}

} // namespace
} // namespace kc

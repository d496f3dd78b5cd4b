#pragma once

#include "private_pcscd.h"
#include "test_printers.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace kc::test {

// Tests against the process's private pcscd, started on first use and
// stopped at the end of the process. Skipped where pcscd is not installed;
// a pcscd that is installed but does not start fails the test.
class PcscdTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    static PrivatePcscd& pcscd();
    // The simulator's card of the scenario (relative to sim/scenarios) in the
    // reader of the slot; it leaves at the end of the test. False, with the
    // failure recorded, when it did not come into the reader.
    bool InsertCard(const QString& scenario, int slot = 0);

  private:
    std::vector<std::pair<ChildProcess, int>> cards_;
};

QString ScenarioPath(const QString& relative);
QString BinPath(const QString& name);

struct ProgramRun {
    int exitCode = -1;
    QString output;
};

// Runs a program with the test's environment plus extra NAME=value entries
// (an entry "NAME=" removes NAME), no input, and a bounded wait.
ProgramRun RunProgram(const QString& program, const QStringList& args, const QStringList& environment = {});

// kartocheck-cli on COM ports that lead nowhere, with the library given.
ProgramRun RunCli(const QStringList& args, const QString& library, const QStringList& environment = {});
QString PcscLibrary();
QString SimulatorLibrary();

} // namespace kc::test

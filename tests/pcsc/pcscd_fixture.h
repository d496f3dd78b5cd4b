#pragma once

#include "cli_runner.h"
#include "private_pcscd.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace kc::test {

// Tests against the process's private pcscd, started on first use and
// stopped at the end of the process. Skipped where pcscd is not installed;
// a pcscd that is installed but does not start fails the test.
class PcscdTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { RemoveCards(); }

    static PrivatePcscd& pcscd();
    // The simulator's card of the scenario (relative to sim/scenarios) in the
    // reader of the slot, until RemoveCards or the end of the test. False,
    // with the failure recorded, when it did not come into the reader.
    bool InsertCard(const QString& scenario, int slot = 0);
    // Waits until the readers are empty, so that no test meets another's card.
    void RemoveCards();

  private:
    std::vector<std::pair<ChildProcess, int>> cards_;
};

// The built PC/SC CT-API library.
QString PcscLibrary();

} // namespace kc::test

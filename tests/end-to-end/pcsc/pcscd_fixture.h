// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli_runner.h"
#include "private_pcscd.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace kc::test {

// Tests against the process's private pcscd, started on first use. Skipped
// where pcscd is not installed; one that does not start fails the test.
class PcscdTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { RemoveCards(); }

    static PrivatePcscd& pcscd();
    // The scenario's card (relative to sim/scenarios) in the slot's reader
    // until RemoveCards; false, with the failure recorded, when it did not come.
    bool InsertCard(const QString& scenario, int slot = 0);
    void RemoveCards();

  private:
    std::vector<std::pair<ChildProcess, int>> cards_;
};

// The built PC/SC CT-API library.
QString PcscLibrary();

} // namespace kc::test

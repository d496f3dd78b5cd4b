// SPDX-License-Identifier: Apache-2.0
// The pseudo-terminal the simulator and the tests stand a terminal on, in a
// program started without standard input: descriptor 0 is one of its sides.
#include "closed_standard_input.h"
#include "ctapi/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <memory>

namespace kc::ctapi {
namespace {

using test::ClosedStandardInput;

TEST(PseudoTerminal, AMasterOnDescriptorZeroWorksAndIsGivenBack) {
    ClosedStandardInput closed;
    {
        PseudoTerminal pty;
        ASSERT_TRUE(pty.ok()) << pty.error();
        ASSERT_EQ(pty.master(), 0);
        EXPECT_NE(pty.holdSlave(), dev_t(0)) << pty.error();
    }
    EXPECT_FALSE(ClosedStandardInput::zeroIsOpen());
}

TEST(PseudoTerminal, ASlaveHeldOnDescriptorZeroIsOpenedOnceAndGivenBack) {
    auto pty = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(pty->ok()) << pty->error();
    ASSERT_NE(pty->master(), 0) << "the test itself was started without standard input";
    ClosedStandardInput closed;
    const dev_t held = pty->holdSlave();
    ASSERT_NE(held, dev_t(0)) << pty->error();
    ASSERT_TRUE(ClosedStandardInput::zeroIsOpen());
    EXPECT_EQ(pty->holdSlave(), held);
    pty.reset();
    EXPECT_FALSE(ClosedStandardInput::zeroIsOpen());
}

} // namespace
} // namespace kc::ctapi

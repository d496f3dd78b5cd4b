// SPDX-License-Identifier: Apache-2.0
// The serial device under the library, on a pseudo-terminal: a write more
// than the line holds waits for the far end, and one nobody takes ends.
#include "closed_standard_input.h"
#include "ctapi/pseudo_terminal.h"
#include "serial/tty_line.h"

#include <gtest/gtest.h>

#include <atomic>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kc::serial {
namespace {

const std::vector<uint8_t> kMoreThanTheLineHolds(256 * 1024, 0x5A);

TEST(TtyLine, AWriteLargerThanTheLineHoldsWaitsForTheFarEnd) {
    ctapi::PseudoTerminal pty;
    ASSERT_TRUE(pty.ok()) << pty.error();
    TtyLine line;
    ASSERT_EQ(line.open(pty.slavePath()), OpenResult::Opened);
    std::atomic<std::size_t> taken = 0;
    std::thread farEnd([&] {
        uint8_t buffer[4096];
        while (taken < kMoreThanTheLineHolds.size()) {
            const ssize_t got = ::read(pty.master(), buffer, sizeof buffer);
            if (got <= 0)
                return;
            taken += std::size_t(got);
        }
    });
    EXPECT_TRUE(line.write(kMoreThanTheLineHolds));
    line.close(); // a far end still reading then sees the line hang up
    farEnd.join();
    EXPECT_EQ(taken, kMoreThanTheLineHolds.size());
}

// A write nobody takes, a speed not on the list, a far end that hung up and a closed line are refused.
TEST(TtyLine, WhatCannotGoThroughIsRefused) {
    TtyLine line;
    {
        ctapi::PseudoTerminal pty;
        ASSERT_TRUE(pty.ok()) << pty.error();
        ASSERT_EQ(line.open(pty.slavePath()), OpenResult::Opened);
        EXPECT_FALSE(line.write(kMoreThanTheLineHolds));
        EXPECT_FALSE(line.setSpeed(12345));
        EXPECT_TRUE(line.setSpeed(19200));
    }
    EXPECT_FALSE(line.write(std::vector<uint8_t>{1}));
    line.close();
    uint8_t byte = 0;
    EXPECT_FALSE(line.write(std::vector<uint8_t>{1}));
    EXPECT_EQ(line.read(byte, Milliseconds(0)), ByteLine::Read::Failed);
}

// Started without standard input, the program gets descriptor 0 for the
// port: it is a line like any other, and closing it gives it back.
TEST(TtyLine, APortOnDescriptorZeroWorksAndIsGivenBack) {
    ctapi::PseudoTerminal pty;
    ASSERT_TRUE(pty.ok()) << pty.error();
    ASSERT_NE(pty.master(), 0) << "the test itself was started without standard input";
    test::ClosedStandardInput closed;
    TtyLine line;
    ASSERT_EQ(line.open(pty.slavePath()), OpenResult::Opened);
    ASSERT_TRUE(test::ClosedStandardInput::zeroIsOpen());
    EXPECT_TRUE(line.setSpeed(19200));

    EXPECT_TRUE(line.write(std::vector<uint8_t>{0x42}));
    pollfd sent{pty.master(), POLLIN, 0};
    ASSERT_EQ(::poll(&sent, 1, 2000), 1);
    uint8_t byte = 0;
    ASSERT_EQ(::read(pty.master(), &byte, 1), 1);
    EXPECT_EQ(byte, 0x42);

    const uint8_t first = 0x43;
    ASSERT_EQ(::write(pty.master(), &first, 1), 1);
    ASSERT_EQ(line.read(byte, Milliseconds(2000)), ByteLine::Read::Byte);
    EXPECT_EQ(byte, 0x43);

    // A byte waiting in the device, not yet taken in, goes with a discard.
    const uint8_t stale = 0x44;
    ASSERT_EQ(::write(pty.master(), &stale, 1), 1);
    pollfd waiting{0, POLLIN, 0};
    ASSERT_EQ(::poll(&waiting, 1, 2000), 1);
    line.discard();
    EXPECT_EQ(line.read(byte, Milliseconds(0)), ByteLine::Read::Timeout);

    line.close();
    EXPECT_FALSE(test::ClosedStandardInput::zeroIsOpen());
}

} // namespace
} // namespace kc::serial

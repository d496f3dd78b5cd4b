// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/bytes.h"
#include "serial/byte_line.h"
#include "serial/t1_block.h"
#include "t1_terminal.h"

#include <deque>
#include <string>
#include <vector>

namespace kc::test {

// A line whose far end answers each whole frame the host writes at once; a
// wait for an answer that does not come times out at once, so faults cost no time.
class FramedLine : public serial::ByteLine {
  public:
    bool write(std::span<const uint8_t> bytes) override {
        if (hungUp_)
            return false;
        for (uint8_t byte : bytes) {
            if (!assembler_.push(byte))
                continue;
            const serial::Bytes written = assembler_.take();
            sent.push_back(ctapi::ToHex(written));
            const sim::serial::Reaction reaction = answer(written);
            for (const auto& frame : reaction.frames)
                incoming_.insert(incoming_.end(), frame.begin(), frame.end());
            hungUp_ = hungUp_ || reaction.hangUp;
        }
        return true;
    }
    Read read(uint8_t& byte, serial::Milliseconds) override {
        if (incoming_.empty())
            return hungUp_ ? Read::Failed : Read::Timeout;
        byte = incoming_.front();
        incoming_.pop_front();
        return Read::Byte;
    }
    void discard() override { incoming_.clear(); }

    // Every frame the host wrote, in order, as hex.
    std::vector<std::string> sent;

  protected:
    virtual sim::serial::Reaction answer(const serial::Bytes& frame) = 0;

  private:
    serial::FrameAssembler assembler_;
    std::deque<uint8_t> incoming_;
    bool hungUp_ = false;
};

// The host's line straight into the emulator's T=1 terminal, in-process.
class LoopbackLine : public FramedLine {
  public:
    explicit LoopbackLine(sim::serial::T1Terminal& terminal) : terminal_(terminal) {}

  private:
    sim::serial::Reaction answer(const serial::Bytes& frame) override { return terminal_.receive(frame); }
    sim::serial::T1Terminal& terminal_;
};

} // namespace kc::test

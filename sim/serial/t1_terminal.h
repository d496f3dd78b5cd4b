// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fault_plan.h"
#include "serial/t1_block.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace kc::sim::serial {

using kc::serial::Block;
using kc::serial::Bytes;

// What the terminal is, apart from its line protocol.
class TerminalBehaviour {
  public:
    struct Answer {
        Bytes response; // data and status word
        uint8_t source = 1;
    };
    virtual ~TerminalBehaviour() = default;
    // A host starts over with RESYNCH; false when the terminal stays silent (switched off).
    [[nodiscard]] virtual bool restart() = 0;
    // nullopt when the terminal does not answer the command at all.
    [[nodiscard]] virtual std::optional<Answer> execute(uint8_t destination, const Bytes& command) = 0;
};

// What the terminal does about one frame from the host.
struct Reaction {
    std::chrono::milliseconds delay{0}; // before the frames go out
    std::vector<Bytes> frames;
    bool hangUp = false; // after the frames
};

// The terminal's side of T=1: answers in blocks of at most the host's
// information size (32 until the host asks for more), its own send sequence
// for every destination, retransmission on R-blocks, and the fault switches.
class T1Terminal {
  public:
    T1Terminal(TerminalBehaviour& behaviour, FaultPlan& faults, std::chrono::milliseconds wtxDelay)
        : behaviour_(behaviour), faults_(faults), wtxDelay_(wtxDelay) {}

    Reaction receive(const Bytes& frame);
    [[nodiscard]] int commandsAnswered() const { return commandsAnswered_; }

  private:
    Reaction onInformation(const Block& block);
    Reaction onReceive(const Block& block);
    Reaction onSupervisory(const Block& block);
    Reaction answerCommand();
    Reaction sendAnswerBlock();
    Reaction resendLast();
    // An R-block naming the I-block the terminal waits for; not kept for
    // retransmission, so that the block before it can still be repeated.
    Reaction askForCommand(kc::serial::ReceiveError error = kc::serial::ReceiveError::Other);
    Reaction send(const Block& block, bool remember = true);
    void startOver();

    TerminalBehaviour& behaviour_;
    FaultPlan& faults_;
    std::chrono::milliseconds wtxDelay_;

    int expectedHostSequence_ = 0;
    int sendSequence_ = 0;
    std::size_t hostInformationSize_ = kc::serial::kDefaultInformationSize;
    Bytes command_;
    uint8_t commandNad_ = 0;
    Bytes answer_;
    std::size_t answerSent_ = 0;
    uint8_t answerNad_ = 0;
    std::optional<Block> lastSent_;
    bool awaitingWtxResponse_ = false;
    int commandsAnswered_ = 0;
    // Commands answered before the one whose answer goes out now: the clock
    // of the faults that strike answers.
    int answerClock_ = 0;
};

} // namespace kc::sim::serial

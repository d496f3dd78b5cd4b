// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "serial/byte_line.h"
#include "serial/t1_block.h"

#include <cstdint>
#include <span>

namespace kc::serial {

// How long the host waits. Every wait of the protocol is one of these.
struct T1Timing {
    Milliseconds blockWait{2000};      // from our block to the first byte of the answer
    Milliseconds characterWait{200};   // between two bytes of one block
    Milliseconds resynchWait{500};     // for the answer to RESYNCH
    Milliseconds exchangeLimit{60000}; // one command and its answer, waiting time extensions included
};

// The host's side of T=1: one send sequence for every destination, chaining
// both ways, R-block retransmission, waiting time extension, and RESYNCH when
// a block cannot be recovered.
class T1Host {
  public:
    explicit T1Host(ByteLine& line, T1Timing timing = {}) : line_(line), timing_(timing) {}

    // Both sides start over; false when the terminal did not confirm within wait.
    bool resynch(Milliseconds wait);
    // Asks the terminal for answer blocks of up to size bytes; false (and a
    // fresh RESYNCH) when it does not agree.
    bool negotiateInformationSize(uint8_t size);

    // Sends command to dad (0 card, 1 terminal) and collects the answer and
    // the unit that sent it. False when the terminal cannot be reached; the
    // link then stays down until the next successful resynch().
    [[nodiscard]] bool transceive(uint8_t dad, std::span<const uint8_t> command, Bytes& answer,
                                  uint8_t& source);

    [[nodiscard]] bool linkDown() const { return down_; }
    const T1Timing& timing() const { return timing_; }

  private:
    enum class Received { Block, Timeout, Invalid, LineGone };
    enum class Exchange { Done, Failed, LineGone };

    Exchange exchange(uint8_t dad, std::span<const uint8_t> command, Bytes& answer, uint8_t& source);
    Received receive(Block& block, Milliseconds firstByteWait);
    [[nodiscard]] bool send(const Block& block);

    ByteLine& line_;
    T1Timing timing_;
    int sendSequence_ = 0;
    int receiveSequence_ = 0;
    std::size_t terminalInformationSize_ = kDefaultInformationSize;
    bool down_ = false;
};

} // namespace kc::serial

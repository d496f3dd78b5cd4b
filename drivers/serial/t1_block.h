// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// ISO/IEC 7816-3 T=1 blocks as serial card terminals frame them: NAD, PCB,
// LEN, the information field and an LRC (XOR of every byte before it).
namespace kc::serial {

using Bytes = std::vector<uint8_t>;

// Node addresses: the destination in the high nibble of NAD, the source in
// the low one. 0 is the card in slot 1, 1 the terminal, 2 the host.
constexpr uint8_t kCardAddress = 0;
constexpr uint8_t kTerminalAddress = 1;
constexpr uint8_t kHostAddress = 2;
[[nodiscard]] constexpr uint8_t Nad(uint8_t destination, uint8_t source) {
    return uint8_t((destination & 0x07) << 4 | (source & 0x07));
}

constexpr std::size_t kMaxInformationSize = 254;
constexpr std::size_t kDefaultInformationSize = 32;

enum class BlockKind { Information, Receive, Supervisory };
enum class SupervisoryType : uint8_t { Resynch = 0x00, Ifs = 0x01, Abort = 0x02, Wtx = 0x03 };
enum class ReceiveError : uint8_t { None = 0, Checksum = 1, Other = 2 };

struct Block {
    uint8_t nad = 0;
    uint8_t pcb = 0;
    Bytes inf;

    BlockKind kind() const;
    [[nodiscard]] uint8_t destination() const { return uint8_t(nad >> 4 & 0x07); }
    [[nodiscard]] uint8_t source() const { return uint8_t(nad & 0x07); }

    // I-block: send sequence number N(S) and the more-data bit.
    [[nodiscard]] int sendSequence() const { return pcb >> 6 & 1; }
    [[nodiscard]] bool more() const { return (pcb & 0x20) != 0; }
    // R-block: the sequence number of the I-block expected next, and the error reported.
    [[nodiscard]] int receiveSequence() const { return pcb >> 4 & 1; }
    ReceiveError error() const;
    // S-block.
    [[nodiscard]] bool isResponse() const { return (pcb & 0x20) != 0; }
    SupervisoryType supervisoryType() const { return SupervisoryType(pcb & 0x1F); }
    // The one-byte parameter of IFS and WTX, 0 when absent.
    [[nodiscard]] uint8_t parameter() const { return inf.size() == 1 ? inf[0] : 0; }

    bool operator==(const Block&) const = default;
};

Block InformationBlock(uint8_t nad, int sendSequence, bool more, std::span<const uint8_t> inf);
Block ReceiveBlock(uint8_t nad, int receiveSequence, ReceiveError error = ReceiveError::None);
Block SupervisoryBlock(uint8_t nad, SupervisoryType type, bool response, std::span<const uint8_t> inf = {});

[[nodiscard]] uint8_t Lrc(std::span<const uint8_t> bytes);

// The frame on the line: NAD PCB LEN INF LRC.
[[nodiscard]] Bytes Encode(const Block& block);
// A whole frame; nullopt when the LRC, the length or the PCB is wrong.
[[nodiscard]] std::optional<Block> Decode(std::span<const uint8_t> frame);

// Collects received bytes into frames, by the length byte of the prologue.
class FrameAssembler {
  public:
    // True when the byte completed a frame; take it with take().
    [[nodiscard]] bool push(uint8_t byte);
    [[nodiscard]] bool empty() const { return bytes_.empty(); }
    [[nodiscard]] Bytes take();
    void reset() { bytes_.clear(); }

  private:
    Bytes bytes_;
};

} // namespace kc::serial

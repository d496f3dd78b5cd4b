// SPDX-License-Identifier: Apache-2.0
#include "serial/t1_block.h"

#include <algorithm>

namespace kc::serial {
namespace {

constexpr std::size_t kPrologueSize = 3;

bool ValidPcb(const Block& block) {
    switch (block.kind()) {
    case BlockKind::Information:
        return (block.pcb & 0x1F) == 0;
    case BlockKind::Receive:
        return (block.pcb & 0x2C) == 0 && (block.pcb & 0x03) != 3 && block.inf.empty();
    case BlockKind::Supervisory: {
        const auto type = uint8_t(block.supervisoryType());
        if (type > uint8_t(SupervisoryType::Wtx))
            return false;
        const bool withParameter = block.supervisoryType() == SupervisoryType::Ifs ||
                                   block.supervisoryType() == SupervisoryType::Wtx;
        return block.inf.size() == (withParameter ? 1u : 0u);
    }
    }
    return false;
}

} // namespace

BlockKind Block::kind() const {
    if ((pcb & 0x80) == 0)
        return BlockKind::Information;
    return (pcb & 0x40) == 0 ? BlockKind::Receive : BlockKind::Supervisory;
}

ReceiveError Block::error() const {
    switch (pcb & 0x03) {
    case 0:
        return ReceiveError::None;
    case 1:
        return ReceiveError::Checksum;
    default:
        return ReceiveError::Other;
    }
}

Block InformationBlock(uint8_t nad, int sendSequence, bool more, std::span<const uint8_t> inf) {
    return {nad, uint8_t((sendSequence & 1) << 6 | (more ? 0x20 : 0)), Bytes(inf.begin(), inf.end())};
}

Block ReceiveBlock(uint8_t nad, int receiveSequence, ReceiveError error) {
    return {nad, uint8_t(0x80 | (receiveSequence & 1) << 4 | uint8_t(error)), {}};
}

Block SupervisoryBlock(uint8_t nad, SupervisoryType type, bool response, std::span<const uint8_t> inf) {
    return {nad, uint8_t(0xC0 | (response ? 0x20 : 0) | uint8_t(type)), Bytes(inf.begin(), inf.end())};
}

uint8_t Lrc(std::span<const uint8_t> bytes) {
    uint8_t lrc = 0;
    for (uint8_t byte : bytes)
        lrc ^= byte;
    return lrc;
}

Bytes Encode(const Block& block) {
    Bytes frame(block.inf.size() + kPrologueSize);
    frame[0] = block.nad;
    frame[1] = block.pcb;
    frame[2] = uint8_t(block.inf.size());
    std::copy(block.inf.begin(), block.inf.end(), frame.begin() + kPrologueSize);
    frame.push_back(Lrc(frame));
    return frame;
}

std::optional<Block> Decode(std::span<const uint8_t> frame) {
    if (frame.size() < kPrologueSize + 1 || frame[2] > kMaxInformationSize ||
        frame.size() != kPrologueSize + frame[2] + 1u)
        return std::nullopt;
    if (Lrc(frame.first(frame.size() - 1)) != frame.back())
        return std::nullopt;
    Block block{frame[0], frame[1], Bytes(frame.begin() + kPrologueSize, frame.end() - 1)};
    if (!ValidPcb(block))
        return std::nullopt;
    return block;
}

bool FrameAssembler::push(uint8_t byte) {
    bytes_.push_back(byte);
    return bytes_.size() >= kPrologueSize && bytes_.size() == kPrologueSize + bytes_[2] + 1u;
}

Bytes FrameAssembler::take() {
    Bytes frame;
    frame.swap(bytes_);
    return frame;
}

} // namespace kc::serial

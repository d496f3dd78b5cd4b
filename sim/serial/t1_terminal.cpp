// SPDX-License-Identifier: Apache-2.0
#include "t1_terminal.h"

#include <algorithm>

namespace kc::sim::serial {
namespace {

using kc::serial::BlockKind;
using kc::serial::Nad;
using kc::serial::ReceiveError;
using kc::serial::SupervisoryType;

constexpr uint8_t kWtxMultiplier = 2;

} // namespace

void T1Terminal::startOver() {
    expectedHostSequence_ = sendSequence_ = 0;
    hostInformationSize_ = kc::serial::kDefaultInformationSize;
    command_.clear();
    answer_.clear();
    answerSent_ = 0;
    lastSent_.reset();
    awaitingWtxResponse_ = false;
}

Reaction T1Terminal::send(const Block& block, bool remember) {
    if (remember)
        lastSent_ = block;
    Bytes frame = kc::serial::Encode(block);
    if (faults_.strikes(FaultKind::WrongLrc, answerClock_))
        frame.back() ^= 0x5A;
    Reaction reaction;
    reaction.frames.push_back(std::move(frame));
    return reaction;
}

Reaction T1Terminal::askForCommand(ReceiveError error) {
    return send(kc::serial::ReceiveBlock(Nad(kc::serial::kHostAddress, kc::serial::kTerminalAddress),
                                         expectedHostSequence_, error),
                false);
}

Reaction T1Terminal::resendLast() {
    return lastSent_ ? send(*lastSent_) : askForCommand();
}

Reaction T1Terminal::receive(const Bytes& frame) {
    if (faults_.strikes(FaultKind::Silence, commandsAnswered_))
        return {};
    const auto block = kc::serial::Decode(frame);
    if (!block)
        return askForCommand(ReceiveError::Checksum);
    switch (block->kind()) {
    case BlockKind::Information:
        return onInformation(*block);
    case BlockKind::Receive:
        return onReceive(*block);
    case BlockKind::Supervisory:
        return onSupervisory(*block);
    }
    return {};
}

Reaction T1Terminal::onInformation(const Block& block) {
    // The host did not get our answer and sends its block once more.
    if (block.sendSequence() != expectedHostSequence_)
        return resendLast();
    if (faults_.strikes(FaultKind::Nak, commandsAnswered_))
        return askForCommand(ReceiveError::Checksum);
    expectedHostSequence_ ^= 1;
    command_.insert(command_.end(), block.inf.begin(), block.inf.end());
    commandNad_ = block.nad;
    if (block.more())
        return send(kc::serial::ReceiveBlock(Nad(kc::serial::kHostAddress, block.destination()),
                                             expectedHostSequence_));
    return answerCommand();
}

Reaction T1Terminal::answerCommand() {
    const Bytes command = std::move(command_);
    command_.clear();
    const uint8_t destination = uint8_t(commandNad_ >> 4 & 0x07);
    const auto answer = behaviour_.execute(destination, command);
    answerClock_ = commandsAnswered_++;
    if (!answer)
        return {};
    const bool delayed = faults_.strikes(FaultKind::Wtx, answerClock_);
    answer_ = answer->response;
    answerSent_ = 0;
    answerNad_ = Nad(kc::serial::kHostAddress, answer->source);
    if (delayed) {
        awaitingWtxResponse_ = true;
        const uint8_t multiplier[] = {kWtxMultiplier};
        return send(kc::serial::SupervisoryBlock(answerNad_, SupervisoryType::Wtx, false, multiplier));
    }
    return sendAnswerBlock();
}

Reaction T1Terminal::sendAnswerBlock() {
    const std::size_t size = std::min(hostInformationSize_, answer_.size() - answerSent_);
    const bool more = answerSent_ + size < answer_.size();
    const Block block = kc::serial::InformationBlock(
        answerNad_, sendSequence_, more, std::span<const uint8_t>(answer_).subspan(answerSent_, size));
    answerSent_ += size;
    sendSequence_ ^= 1;
    Reaction reaction = send(block);
    reaction.hangUp = more && answerSent_ == size && faults_.strikes(FaultKind::HangUp, answerClock_);
    return reaction;
}

Reaction T1Terminal::onReceive(const Block& block) {
    if (lastSent_ && lastSent_->kind() == BlockKind::Information) {
        if (block.receiveSequence() == lastSent_->sendSequence())
            return resendLast();
        if (lastSent_->more() && block.error() == ReceiveError::None)
            return sendAnswerBlock();
    } else if (lastSent_ && (lastSent_->kind() == BlockKind::Receive || !lastSent_->isResponse())) {
        return resendLast();
    }
    // The host has our last answer and still waits: its command did not arrive.
    return askForCommand();
}

Reaction T1Terminal::onSupervisory(const Block& block) {
    const uint8_t toHost = Nad(kc::serial::kHostAddress, kc::serial::kTerminalAddress);
    const uint8_t parameter[] = {block.parameter()};
    if (block.isResponse()) {
        if (block.supervisoryType() != SupervisoryType::Wtx || !awaitingWtxResponse_)
            return {};
        awaitingWtxResponse_ = false;
        Reaction reaction = sendAnswerBlock();
        reaction.delay = wtxDelay_;
        return reaction;
    }
    switch (block.supervisoryType()) {
    case SupervisoryType::Resynch:
        startOver();
        if (!behaviour_.restart())
            return {};
        return send(kc::serial::SupervisoryBlock(toHost, SupervisoryType::Resynch, true));
    case SupervisoryType::Ifs:
        if (block.parameter() == 0 || block.parameter() > kc::serial::kMaxInformationSize)
            break;
        hostInformationSize_ = block.parameter();
        return send(kc::serial::SupervisoryBlock(toHost, SupervisoryType::Ifs, true, parameter));
    case SupervisoryType::Abort:
        command_.clear();
        answer_.clear();
        return send(kc::serial::SupervisoryBlock(toHost, SupervisoryType::Abort, true));
    case SupervisoryType::Wtx:
        break;
    }
    return askForCommand();
}

} // namespace kc::sim::serial

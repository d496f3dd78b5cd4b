// SPDX-License-Identifier: Apache-2.0
#include "serial/t1_host.h"

#include "serial/trace.h"

#include <algorithm>
#include <chrono>
#include <optional>

namespace kc::serial {
namespace {

using Clock = std::chrono::steady_clock;

// Retransmissions of one block before the exchange is given up and RESYNCH tried.
constexpr int kMaxRetries = 2;
// Consecutive block waiting times without a single byte: the terminal is gone.
constexpr int kMaxSilentWaits = 2;

const uint8_t kToTerminal = Nad(kTerminalAddress, kHostAddress);
const Block kResynchResponse =
    SupervisoryBlock(Nad(kHostAddress, kTerminalAddress), SupervisoryType::Resynch, true);

Milliseconds Left(Clock::time_point deadline) {
    return std::max(Milliseconds(0), std::chrono::duration_cast<Milliseconds>(deadline - Clock::now()));
}

} // namespace

bool T1Host::send(const Block& block) {
    const Bytes frame = Encode(block);
    TraceFrame('>', frame);
    return line_.write(frame);
}

T1Host::Received T1Host::receive(Block& block, Milliseconds firstByteWait) {
    FrameAssembler assembler;
    Milliseconds wait = firstByteWait;
    for (;;) {
        uint8_t byte = 0;
        switch (line_.read(byte, wait)) {
        case ByteLine::Read::Failed:
            Trace("line gone");
            return Received::LineGone;
        case ByteLine::Read::Timeout:
            if (assembler.empty()) {
                Trace("no answer");
                return Received::Timeout;
            }
            TraceFrame('<', assembler.take());
            Trace("block cut short");
            return Received::Invalid;
        case ByteLine::Read::Byte:
            break;
        }
        wait = timing_.characterWait;
        if (!assembler.push(byte))
            continue;
        const Bytes frame = assembler.take();
        TraceFrame('<', frame);
        const auto decoded = Decode(frame);
        if (!decoded) {
            Trace("bad block");
            return Received::Invalid;
        }
        block = *decoded;
        return Received::Block;
    }
}

bool T1Host::resynch(Milliseconds wait) {
    line_.discard();
    sendSequence_ = receiveSequence_ = 0;
    terminalInformationSize_ = kDefaultInformationSize;
    if (!send(SupervisoryBlock(kToTerminal, SupervisoryType::Resynch, false)))
        return false;
    // Whatever else arrives (the rest of an old block, noise at a wrong
    // speed) is passed over until the wait is up.
    const auto deadline = Clock::now() + wait;
    for (;;) {
        Block block;
        const Received got = receive(block, Left(deadline));
        if (got == Received::Block && block == kResynchResponse) {
            down_ = false;
            return true;
        }
        if (got == Received::Timeout || got == Received::LineGone || Left(deadline).count() == 0)
            return false;
    }
}

bool T1Host::negotiateInformationSize(uint8_t size) {
    const uint8_t parameter[] = {size};
    if (!send(SupervisoryBlock(kToTerminal, SupervisoryType::Ifs, false, parameter)))
        return false;
    Block block;
    if (receive(block, timing_.blockWait) == Received::Block &&
        block == SupervisoryBlock(Nad(kHostAddress, kTerminalAddress), SupervisoryType::Ifs, true, parameter))
        return true;
    resynch(timing_.resynchWait);
    return false;
}

bool T1Host::transceive(uint8_t dad, std::span<const uint8_t> command, Bytes& answer, uint8_t& source) {
    if (down_ || command.empty())
        return false;
    // One fresh start after a failed exchange; the command is then sent again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (exchange(dad, command, answer, source)) {
        case Exchange::Done:
            return true;
        case Exchange::LineGone:
            down_ = true;
            return false;
        case Exchange::Failed:
            break;
        }
        Trace("resynch");
        if (!resynch(timing_.resynchWait))
            break;
    }
    down_ = true;
    return false;
}

T1Host::Exchange T1Host::exchange(uint8_t dad, std::span<const uint8_t> command, Bytes& answer,
                                  uint8_t& source) {
    const uint8_t nad = Nad(dad, kHostAddress);
    const auto deadline = Clock::now() + timing_.exchangeLimit;
    std::size_t offset = 0;
    std::size_t chunk = 0;
    Block lastSent;
    auto sendChunk = [&] {
        chunk = std::min(terminalInformationSize_, command.size() - offset);
        lastSent = InformationBlock(nad, sendSequence_, offset + chunk < command.size(),
                                    command.subspan(offset, chunk));
        return send(lastSent);
    };
    // Asks the terminal to send its last block again; the end of the
    // exchange once the retries are used up.
    int errors = 0;
    int silentWaits = 0;
    auto reject = [&](Received got) -> std::optional<Exchange> {
        silentWaits = got == Received::Timeout ? silentWaits + 1 : 0;
        if (++errors > kMaxRetries || silentWaits >= kMaxSilentWaits)
            return Exchange::Failed;
        const auto error = got == Received::Invalid ? ReceiveError::Checksum : ReceiveError::Other;
        if (!send(ReceiveBlock(nad, receiveSequence_, error)))
            return Exchange::LineGone;
        return std::nullopt;
    };

    answer.clear();
    bool acknowledged = false;
    Milliseconds wait = timing_.blockWait;
    if (!sendChunk())
        return Exchange::LineGone;
    for (;;) {
        Block block;
        const Received got = receive(block, std::min(wait, Left(deadline)));
        wait = timing_.blockWait;
        if (got == Received::LineGone)
            return Exchange::LineGone;
        if (Left(deadline).count() == 0)
            return Exchange::Failed;
        if (got != Received::Block) {
            if (const auto end = reject(got))
                return *end;
            continue;
        }
        silentWaits = 0;
        const bool chaining = lastSent.kind() == BlockKind::Information && lastSent.more();
        switch (block.kind()) {
        case BlockKind::Supervisory: {
            const uint8_t parameter[] = {block.parameter()};
            if (!block.isResponse() && block.supervisoryType() == SupervisoryType::Wtx) {
                if (!send(SupervisoryBlock(nad, SupervisoryType::Wtx, true, parameter)))
                    return Exchange::LineGone;
                wait = timing_.blockWait * std::max<int>(1, block.parameter());
                continue;
            }
            if (!block.isResponse() && block.supervisoryType() == SupervisoryType::Ifs &&
                block.parameter() > 0 && block.parameter() <= kMaxInformationSize) {
                terminalInformationSize_ = block.parameter();
                if (!send(SupervisoryBlock(nad, SupervisoryType::Ifs, true, parameter)))
                    return Exchange::LineGone;
                continue;
            }
            if (!block.isResponse())
                return Exchange::Failed; // ABORT or RESYNCH asked by the terminal
            break;
        }
        case BlockKind::Receive:
            if (block.receiveSequence() == sendSequence_ || block.error() != ReceiveError::None) {
                if (++errors > kMaxRetries)
                    return Exchange::Failed;
                if (!send(lastSent))
                    return Exchange::LineGone;
                continue;
            }
            if (chaining) {
                sendSequence_ ^= 1;
                offset += chunk;
                errors = 0;
                if (!sendChunk())
                    return Exchange::LineGone;
                continue;
            }
            break;
        case BlockKind::Information:
            if (chaining || block.sendSequence() != receiveSequence_)
                break;
            if (!acknowledged) {
                sendSequence_ ^= 1;
                acknowledged = true;
            }
            receiveSequence_ ^= 1;
            errors = 0;
            answer.insert(answer.end(), block.inf.begin(), block.inf.end());
            if (!block.more()) {
                source = block.source();
                return Exchange::Done;
            }
            lastSent = ReceiveBlock(nad, receiveSequence_);
            if (!send(lastSent))
                return Exchange::LineGone;
            continue;
        }
        // A block that does not fit the exchange counts as a transmission error.
        if (const auto end = reject(Received::Invalid))
            return *end;
    }
}

} // namespace kc::serial

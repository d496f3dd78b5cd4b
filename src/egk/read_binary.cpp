// SPDX-License-Identifier: Apache-2.0
#include "egk/read_binary.h"

#include "terminal/ctapi.h"
#include "terminal/terminal_session.h"

#include <vector>

namespace kc {
namespace {

constexpr uint32_t kChunk = 254;
constexpr uint32_t kLastChunkLimit = 256;
constexpr uint32_t kShortFormLimit = 256;
constexpr uint32_t kLongestAnswer = 0xFFFF - 2; // lenr is 16 bits and carries the status word too

struct Answer {
    int16_t code = OK;
    std::vector<uint8_t> bytes; // data and status word
    uint16_t statusWord() const { return uint16_t(bytes[bytes.size() - 2] << 8 | bytes[bytes.size() - 1]); }
    int dataSize() const { return int(bytes.size()) - 2; }
};

Answer Exchange(TerminalSession& session, int destination, const std::vector<uint8_t>& command,
                uint32_t room) {
    Answer answer;
    answer.bytes.resize(room + 2);
    uint16_t lenr = uint16_t(room + 2);
    answer.code = session.exchangeBytes(destination, command.data(), uint16_t(command.size()),
                                        answer.bytes.data(), lenr);
    // The session turns a short or overlong answer into an error and leaves lenr 0 then.
    answer.bytes.resize(answer.code == OK ? lenr : 0);
    return answer;
}

std::vector<uint8_t> ReadCommand(uint32_t offset, uint32_t le) {
    return {0x00, 0xB0, uint8_t(offset >> 8), uint8_t(offset & 0xFF), uint8_t(le)};
}

// 6282, end of file before Le bytes, still hands over what came.
ReadResult ResultOfLastChunk(uint16_t sw) {
    if (sw == 0x9000 || sw == 0x6282)
        return ReadResult::Done;
    return sw == 0x6982 ? ReadResult::Refused : ReadResult::Failed;
}

} // namespace

ReadResult ReadBinaryChunked(TerminalSession& session, int destination, uint32_t offset, uint32_t length,
                             QByteArray& buffer, uint32_t& count) {
    const uint32_t expected = count;
    buffer.resize(qsizetype(expected));
    uint32_t le = (length >= 1 && length <= kChunk - 1) ? length : kChunk;
    uint32_t received = 0;
    uint32_t stored = 0;
    for (;;) {
        const Answer answer = Exchange(session, destination, ReadCommand(offset, le), le);
        if (answer.code != OK) {
            count = stored;
            buffer.resize(qsizetype(stored));
            return ReadResult::Failed;
        }
        const uint16_t sw = answer.statusWord();
        const uint32_t chunk = uint32_t(answer.dataSize());
        if (stored + chunk > expected) {
            count = 0;
            buffer.clear();
            return ReadResult::Failed;
        }
        std::copy(answer.bytes.begin(), answer.bytes.begin() + chunk, buffer.begin() + stored);
        stored += chunk;
        received += chunk;
        // The next chunk starts after the bytes that came, not after the bytes asked for:
        // a card answering a chunk short with 9000 must not shift the rest of the document.
        if (sw != 0x9000 || received >= length || chunk == 0) {
            count = stored;
            buffer.resize(qsizetype(stored));
            return ResultOfLastChunk(sw);
        }
        offset += chunk;
        const uint32_t remaining = length - received;
        if (remaining < kLastChunkLimit)
            le = remaining;
    }
}

int16_t ReadBinaryOnce(TerminalSession& session, int destination, uint16_t p1p2, uint32_t length,
                       QByteArray& buffer, uint32_t& count) {
    const uint32_t room = count;
    count = 0;
    buffer.clear();
    if (length == 0 || length > kLongestAnswer)
        return -1;
    std::vector<uint8_t> command = {0x00, 0xB0, uint8_t(p1p2 >> 8), uint8_t(p1p2 & 0xFF), 0x00};
    if (length > kShortFormLimit)
        command.insert(command.end(), {0x00, 0x00});
    const Answer answer = Exchange(session, destination, command, length);
    if (answer.code != OK)
        return answer.code;
    const uint16_t sw = answer.statusWord();
    if (sw != 0x9000 && sw != 0x9001)
        return -1;
    if (uint32_t(answer.dataSize()) > room)
        return -1;
    buffer = QByteArray(reinterpret_cast<const char*>(answer.bytes.data()), answer.dataSize());
    count = uint32_t(answer.dataSize());
    return 0;
}

} // namespace kc

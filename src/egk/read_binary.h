// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"

#include <QByteArray>
#include <cstdint>

namespace kc {

class TerminalSession;

// READ BINARY of a long stretch in chunks of at most 254 bytes (the last may
// ask for 255), sent as bytes past the hex interface. On entry count is the
// number of bytes the caller expects; on return the bytes stored in buffer
// (buffer is cut to them). Done: ended with 9000 or 6282 (count may be
// short); Refused: 6982, security status not satisfied; Failed: anything else. A card sending
// more than expected fails the read (count 0) instead of overrunning.
[[nodiscard]] ReadResult ReadBinaryChunked(TerminalSession& session, int destination, uint32_t offset,
                                           uint32_t length, QByteArray& buffer, uint32_t& count);

// One READ BINARY by short file identifier (p1p2 = P1 * 256 + P2) with a
// wildcard length: 5 bytes for up to 256, the extended form beyond. On entry
// count is the room; on return the bytes stored. 0: 9000 or 9001; -1: other
// status word, no length, or more data than room; otherwise the library's code.
[[nodiscard]] int16_t ReadBinaryOnce(TerminalSession& session, int destination, uint16_t p1p2,
                                     uint32_t length, QByteArray& buffer, uint32_t& count);

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/result.h"
#include "egk/xml_error.h"

#include <QByteArray>

namespace kc {

// The gzip reader is asked for this many bytes at a time.
constexpr int kGzipReadSize = 2048;
// A document whose decompressed size reaches this is refused.
constexpr int kVsdSizeLimit = 32768;

// Why no document came out: a broken stream, one too long or still gzip
// data is refused as it is; a scratch file that could not be prepared is
// the system's fault, and error says why.
struct DecompressionFailure {
    enum class Kind { Refused, ScratchFailed };
    Kind kind = Kind::Refused;
    XmlError error;
};

// Decompresses a VSD document through zlib's gzip file reader. Input that is
// not gzip data passes through unchanged, as the reader does. The compressed
// bytes go to an anonymous in-memory file that only this process can reach
// and that vanishes with its last descriptor, whatever way the call ends.
[[nodiscard]] Result<QByteArray, DecompressionFailure> DecompressVsd(const QByteArray& compressed);

} // namespace kc

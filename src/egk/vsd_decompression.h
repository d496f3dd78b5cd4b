// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "egk/xml_error.h"

#include <QByteArray>

namespace kc {

// The gzip reader is asked for this many bytes at a time.
constexpr int kGzipReadSize = 2048;
// A document whose decompressed size reaches this is refused.
constexpr int kVsdSizeLimit = 32768;

struct Decompression {
    enum class Outcome {
        Done,         // bytes hold the document
        Failed,       // broken stream, too long, or still gzip data
        ScratchFailed // the scratch file could not be prepared; error says why
    };
    Outcome outcome = Outcome::Failed;
    QByteArray bytes;
    XmlError error;
};

// Decompresses a VSD document through zlib's gzip file reader. Input that is
// not gzip data passes through unchanged, as the reader does. The compressed
// bytes go to an anonymous in-memory file that only this process can reach
// and that vanishes with its last descriptor, whatever way the call ends.
[[nodiscard]] Decompression DecompressVsd(const QByteArray& compressed);

} // namespace kc

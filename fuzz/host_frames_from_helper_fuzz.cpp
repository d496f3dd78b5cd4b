// SPDX-License-Identifier: Apache-2.0
// What the program reads from kartocheck-ctapi-host: the stream in the
// pieces recv may hand it over in, through the frame reader and the answer
// decoder, and every data answer the program accepts copied into a buffer
// of exactly the caller's size. First byte: the piece size (0: all at once);
// a 16-bit capacity of the caller; the rest is the helper's stream.
#include "fuzz_input.h"
#include "terminal/host_protocol.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    const std::size_t piece = input.byte();
    const uint16_t capacity = input.word();
    kc::host::FrameReader reader;
    std::vector<uint8_t> payload;
    while (!input.empty()) {
        const QByteArray bytes = input.bytes(piece == 0 ? size : piece);
        reader.append(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        for (;;) {
            const auto status = reader.next(payload);
            // The program ends a helper that sends something malformed.
            if (status == kc::host::FrameReader::Status::Malformed)
                return 0;
            if (status == kc::host::FrameReader::Status::NeedMore)
                break;
            const auto answer = kc::host::DecodeAnswer(payload);
            if (!answer)
                return 0;
            const auto* dataAnswer = std::get_if<kc::host::DataAnswer>(&*answer);
            if (dataAnswer && kc::host::FitsCaller(*dataAnswer, capacity)) {
                std::vector<uint8_t> response(capacity);
                std::copy(dataAnswer->response.begin(), dataAnswer->response.end(), response.begin());
            }
        }
    }
    return 0;
}

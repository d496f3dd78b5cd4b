// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi_library.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

// The frames between the program and kartocheck-ctapi-host, the helper that
// runs the terminal library in a process of its own. A frame is a 32-bit
// little-endian payload length and the payload: one kind byte, then the
// kind's fields, little-endian. A payload whose size does not match its kind
// exactly is rejected.
namespace kc::host {

// The helper's end of the socket pair.
constexpr int kSocketFd = 3;

// The response buffer the helper hands the library, whatever the caller can
// take: the largest answer CT-API can describe and then some.
constexpr std::size_t kFullResponseSize = 65536 + 2;

constexpr std::size_t kFrameHeaderSize = 4;
// Kind, fixed fields and up to 64 KiB of command or response bytes.
constexpr std::size_t kMaxPayload = 16 + 0xFFFF;

struct InitRequest {
    uint16_t ctn = 0;
    uint16_t pn = 0;
};
struct DataRequest {
    uint16_t ctn = 0;
    uint8_t dad = 0;
    uint8_t sad = 0;
    uint16_t lenr = 0; // what the caller can take
    std::vector<uint8_t> command;
};
struct CloseRequest {
    uint16_t ctn = 0;
};
struct BaudRequest {
    uint16_t ctn = 0;
    int32_t baud = -1;
};
using Request = std::variant<InitRequest, DataRequest, CloseRequest, BaudRequest>;

// The helper's first frame: whether the library could be loaded.
struct LoadAnswer {
    LibraryFault fault = LibraryFault::None;
};
struct InitAnswer {
    int8_t code = 0;
};
struct DataAnswer {
    int8_t code = 0;
    uint8_t dad = 0;
    uint8_t sad = 0;
    uint16_t lenr = 0;             // as the library left it, even past the caller's lenr
    std::vector<uint8_t> response; // on success the first min(lenr, caller's lenr) bytes, else none
};
struct CloseAnswer {
    int8_t code = 0;
};
struct BaudAnswer {
    int32_t result = 0;
    int32_t baud = -1;
};
using Answer = std::variant<LoadAnswer, InitAnswer, DataAnswer, CloseAnswer, BaudAnswer>;

std::vector<uint8_t> EncodeFrame(const Request& request);
std::vector<uint8_t> EncodeFrame(const Answer& answer);
// A payload without its length header; nothing when it is malformed.
[[nodiscard]] std::optional<Request> DecodeRequest(std::span<const uint8_t> payload);
[[nodiscard]] std::optional<Answer> DecodeAnswer(std::span<const uint8_t> payload);

// How many response bytes go back for an answer of the library to a caller
// that can take capacity bytes.
std::size_t ReturnedResponseSize(int8_t code, uint16_t lenr, uint16_t capacity);
// Whether a data answer carries exactly the response bytes that go back to
// a caller that can take capacity bytes; any other answer is broken.
[[nodiscard]] bool FitsCaller(const DataAnswer& answer, uint16_t capacity);

// Collects the bytes read from the socket and hands out whole payloads.
class FrameReader {
  public:
    enum class Status { NeedMore, Frame, Malformed };

    void append(const uint8_t* bytes, std::size_t size);
    Status next(std::vector<uint8_t>& payload);
    void clear() { buffer_.clear(); }

  private:
    std::vector<uint8_t> buffer_;
};

} // namespace kc::host

// SPDX-License-Identifier: Apache-2.0
#include "terminal/host_protocol.h"

#include <algorithm>

namespace kc::host {
namespace {

enum Kind : uint8_t {
    kInitRequest = 'I',
    kDataRequest = 'D',
    kCloseRequest = 'C',
    kBaudRequest = 'B',
    kLoadAnswer = 'L',
    kInitAnswer = 'i',
    kDataAnswer = 'd',
    kCloseAnswer = 'c',
    kBaudAnswer = 'b',
};

class FrameWriter {
  public:
    explicit FrameWriter(uint8_t kind) {
        bytes_.resize(kFrameHeaderSize); // the length, written by finish()
        bytes_.push_back(kind);
    }

    FrameWriter& u8(uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    FrameWriter& u16(uint16_t value) { return u8(uint8_t(value)).u8(uint8_t(value >> 8)); }
    FrameWriter& u32(uint32_t value) { return u16(uint16_t(value)).u16(uint16_t(value >> 16)); }
    // A length-prefixed run of bytes; callers keep it within 16 bits.
    FrameWriter& bytes(const std::vector<uint8_t>& values) {
        u16(uint16_t(values.size()));
        bytes_.insert(bytes_.end(), values.begin(), values.end());
        return *this;
    }

    std::vector<uint8_t> finish() {
        const auto length = uint32_t(bytes_.size() - kFrameHeaderSize);
        for (std::size_t i = 0; i < kFrameHeaderSize; ++i)
            bytes_[i] = uint8_t(length >> (8 * i));
        return std::move(bytes_);
    }

  private:
    std::vector<uint8_t> bytes_;
};

// Reads fields off a payload after its kind byte; every read checks what is left.
class FieldReader {
  public:
    explicit FieldReader(std::span<const uint8_t> fields) : fields_(fields) {}

    bool u8(uint8_t& value) {
        if (fields_.empty())
            return false;
        value = fields_[0];
        fields_ = fields_.subspan(1);
        return true;
    }
    bool i8(int8_t& value) {
        uint8_t raw{};
        if (!u8(raw))
            return false;
        value = int8_t(raw);
        return true;
    }
    bool u16(uint16_t& value) {
        uint8_t low{}, high{};
        if (!u8(low) || !u8(high))
            return false;
        value = uint16_t(low | high << 8);
        return true;
    }
    bool i32(int32_t& value) {
        uint16_t low{}, high{};
        if (!u16(low) || !u16(high))
            return false;
        value = int32_t(uint32_t(low) | uint32_t(high) << 16);
        return true;
    }
    bool bytes(std::vector<uint8_t>& values) {
        uint16_t count{};
        if (!u16(count) || fields_.size() < count)
            return false;
        values.assign(fields_.begin(), fields_.begin() + count);
        fields_ = fields_.subspan(count);
        return true;
    }
    bool atEnd() const { return fields_.empty(); }

  private:
    std::span<const uint8_t> fields_;
};

struct RequestEncoder {
    std::vector<uint8_t> operator()(const InitRequest& r) const {
        return FrameWriter(kInitRequest).u16(r.ctn).u16(r.pn).finish();
    }
    std::vector<uint8_t> operator()(const DataRequest& r) const {
        return FrameWriter(kDataRequest).u16(r.ctn).u8(r.dad).u8(r.sad).u16(r.lenr).bytes(r.command).finish();
    }
    std::vector<uint8_t> operator()(const CloseRequest& r) const {
        return FrameWriter(kCloseRequest).u16(r.ctn).finish();
    }
    std::vector<uint8_t> operator()(const BaudRequest& r) const {
        return FrameWriter(kBaudRequest).u16(r.ctn).u32(uint32_t(r.baud)).finish();
    }
};

struct AnswerEncoder {
    std::vector<uint8_t> operator()(const LoadAnswer& a) const {
        return FrameWriter(kLoadAnswer).u8(uint8_t(a.fault)).finish();
    }
    std::vector<uint8_t> operator()(const InitAnswer& a) const {
        return FrameWriter(kInitAnswer).u8(uint8_t(a.code)).finish();
    }
    std::vector<uint8_t> operator()(const DataAnswer& a) const {
        return FrameWriter(kDataAnswer)
            .u8(uint8_t(a.code))
            .u8(a.dad)
            .u8(a.sad)
            .u16(a.lenr)
            .bytes(a.response)
            .finish();
    }
    std::vector<uint8_t> operator()(const CloseAnswer& a) const {
        return FrameWriter(kCloseAnswer).u8(uint8_t(a.code)).finish();
    }
    std::vector<uint8_t> operator()(const BaudAnswer& a) const {
        return FrameWriter(kBaudAnswer).u32(uint32_t(a.result)).u32(uint32_t(a.baud)).finish();
    }
};

// The decoded value only when every field was there and nothing follows.
template <typename Value> std::optional<Value> Whole(bool complete, const FieldReader& in, Value value) {
    if (!complete || !in.atEnd())
        return std::nullopt;
    return value;
}

} // namespace

std::vector<uint8_t> EncodeFrame(const Request& request) {
    return std::visit(RequestEncoder{}, request);
}

std::vector<uint8_t> EncodeFrame(const Answer& answer) {
    return std::visit(AnswerEncoder{}, answer);
}

std::optional<Request> DecodeRequest(std::span<const uint8_t> payload) {
    if (payload.empty())
        return std::nullopt;
    FieldReader in(payload.subspan(1));
    switch (payload[0]) {
    case kInitRequest: {
        InitRequest r;
        const bool complete = in.u16(r.ctn) && in.u16(r.pn);
        return Whole<Request>(complete, in, r);
    }
    case kDataRequest: {
        DataRequest r;
        const bool complete =
            in.u16(r.ctn) && in.u8(r.dad) && in.u8(r.sad) && in.u16(r.lenr) && in.bytes(r.command);
        return Whole<Request>(complete, in, std::move(r));
    }
    case kCloseRequest: {
        CloseRequest r;
        const bool complete = in.u16(r.ctn);
        return Whole<Request>(complete, in, r);
    }
    case kBaudRequest: {
        BaudRequest r;
        const bool complete = in.u16(r.ctn) && in.i32(r.baud);
        return Whole<Request>(complete, in, r);
    }
    default:
        return std::nullopt;
    }
}

std::optional<Answer> DecodeAnswer(std::span<const uint8_t> payload) {
    if (payload.empty())
        return std::nullopt;
    FieldReader in(payload.subspan(1));
    switch (payload[0]) {
    case kLoadAnswer: {
        uint8_t fault{};
        const bool complete = in.u8(fault) && fault <= uint8_t(LibraryFault::EntryPointMissing);
        return Whole<Answer>(complete, in, LoadAnswer{LibraryFault(fault)});
    }
    case kInitAnswer: {
        InitAnswer a;
        const bool complete = in.i8(a.code);
        return Whole<Answer>(complete, in, a);
    }
    case kDataAnswer: {
        DataAnswer a;
        const bool complete =
            in.i8(a.code) && in.u8(a.dad) && in.u8(a.sad) && in.u16(a.lenr) && in.bytes(a.response);
        return Whole<Answer>(complete, in, std::move(a));
    }
    case kCloseAnswer: {
        CloseAnswer a;
        const bool complete = in.i8(a.code);
        return Whole<Answer>(complete, in, a);
    }
    case kBaudAnswer: {
        BaudAnswer a;
        const bool complete = in.i32(a.result) && in.i32(a.baud);
        return Whole<Answer>(complete, in, a);
    }
    default:
        return std::nullopt;
    }
}

std::size_t ReturnedResponseSize(int8_t code, uint16_t lenr, uint16_t capacity) {
    return code == 0 ? std::min(lenr, capacity) : 0;
}

bool FitsCaller(const DataAnswer& answer, uint16_t capacity) {
    return answer.response.size() == ReturnedResponseSize(answer.code, answer.lenr, capacity);
}

void FrameReader::append(const uint8_t* bytes, std::size_t size) {
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

FrameReader::Status FrameReader::next(std::vector<uint8_t>& payload) {
    if (buffer_.size() < kFrameHeaderSize)
        return Status::NeedMore;
    uint32_t length = 0;
    for (std::size_t i = 0; i < kFrameHeaderSize; ++i)
        length |= uint32_t(buffer_[i]) << (8 * i);
    if (length == 0 || length > kMaxPayload)
        return Status::Malformed;
    if (buffer_.size() < kFrameHeaderSize + length)
        return Status::NeedMore;
    const auto begin = buffer_.begin() + kFrameHeaderSize;
    payload.assign(begin, begin + length);
    buffer_.erase(buffer_.begin(), begin + length);
    return Status::Frame;
}

} // namespace kc::host

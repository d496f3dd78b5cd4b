// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace kc::fuzz {

// The fuzz input read from the front: single bytes, counted runs, the rest.
// Past the end every read gives zero or nothing, so a short input is simply
// a run of zeros.
class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool empty() const { return pos_ >= size_; }
    uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    uint16_t word() {
        const uint16_t high = byte();
        return uint16_t(high << 8 | byte());
    }
    QByteArray bytes(size_t count) {
        const size_t taken = count < size_ - pos_ ? count : size_ - pos_;
        const QByteArray run(reinterpret_cast<const char*>(data_ + pos_), qsizetype(taken));
        pos_ += taken;
        return run;
    }
    QByteArray rest() { return bytes(size_ - pos_); }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace kc::fuzz

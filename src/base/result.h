// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <utility>
#include <variant>

namespace kc {

// A value, or why it could not be had: the German reason, or an error that
// carries its code beside the reason.
template <typename T, typename E = QString> class [[nodiscard]] Result {
  public:
    Result(T value) : content_(std::in_place_index<0>, std::move(value)) {}
    static Result failure(E error) { return Result(std::in_place_index<1>, std::move(error)); }

    bool ok() const { return content_.index() == 0; }
    // Only when ok().
    T& value() { return std::get<0>(content_); }
    const T& value() const { return std::get<0>(content_); }
    // Only when not ok().
    const E& error() const { return std::get<1>(content_); }

  private:
    Result(std::in_place_index_t<1> index, E error) : content_(index, std::move(error)) {}

    std::variant<T, E> content_;
};

// Done, or why it could not be done.
template <typename E> class [[nodiscard]] Result<void, E> {
  public:
    Result() = default;
    static Result failure(E error) { return Result(std::move(error), true); }

    bool ok() const { return !failed_; }
    // Only when not ok().
    const E& error() const { return error_; }

  private:
    Result(E error, bool failed) : error_(std::move(error)), failed_(failed) {}

    E error_{};
    bool failed_ = false;
};

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// A text of exactly N characters: shorter values are padded with blanks,
// longer ones cut. Shown and compared with the trailing blanks.
template <int N> class FixedText {
  public:
    FixedText() : text_(N, QLatin1Char(' ')) {}
    explicit FixedText(const QString& value) { set(value); }

    void set(const QString& value) { text_ = value.left(N).leftJustified(N, QLatin1Char(' ')); }
    void clear() { text_.fill(QLatin1Char(' '), N); }
    FixedText& operator=(const QString& value) {
        set(value);
        return *this;
    }

    const QString& str() const { return text_; }
    static constexpr int size() { return N; }
    bool operator==(const QString& other) const { return text_ == other; }
    bool operator==(const FixedText& other) const = default;

  private:
    QString text_;
};

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/clipboard.h"

namespace kc {

// The type that asks clipboard managers not to keep a copy in their history.
inline constexpr char kClipboardSecretHintType[] = "x-kde-passwordManagerHint";

// The desktop clipboard: plain text, marked as not for any history.
class QtClipboard : public Clipboard {
  public:
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/clipboard.h"

namespace kc {

// The desktop clipboard, plain text only.
class QtClipboard : public Clipboard {
  public:
    void clear() override;
    void setText(const QString& text) override;
};

} // namespace kc

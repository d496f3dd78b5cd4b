// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setText(const QString& text) = 0;
};

} // namespace kc

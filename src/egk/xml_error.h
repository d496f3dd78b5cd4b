// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <cstdint>

namespace kc {

// An error raised by the XML services or the file handling around them. The
// caller shows the description; a general failure carries kXmlGeneralFailure.
struct XmlError {
    uint32_t code = 0;
    QString description;
};

constexpr uint32_t kXmlGeneralFailure = 0x80004005u;

// The box text of an error: the general failure code is named on a line of its own.
QString XmlErrorBoxText(const XmlError& error);

} // namespace kc

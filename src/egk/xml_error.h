#pragma once

#include <QString>
#include <cstdint>

namespace kc {

// An error raised by the XML services or the file handling around them. The
// caller shows the description; an unspecified failure carries kXmlUnspecified.
struct XmlError {
    uint32_t code = 0;
    QString description;
};

constexpr uint32_t kXmlUnspecified = 0x80004005u;

// The box text of an error: the unspecified code is named on a line of its own.
QString XmlErrorBoxText(const XmlError& error);

} // namespace kc

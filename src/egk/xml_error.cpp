// SPDX-License-Identifier: Apache-2.0
#include "egk/xml_error.h"

#include "base/message_boxes.h"

namespace kc {

QString XmlErrorBoxText(const XmlError& error) {
    if (error.code == kXmlGeneralFailure)
        return QStringLiteral("0x80004005") + kCrLf + error.description;
    return error.description;
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// Card bytes to text: Windows-1252, except the seven umlaut codes of the
// German 7-bit set (DIN 66003), which the card uses in place of [ \ ] { | } ~.
// Decodes the first `digits` hex digits; stops at the end of the text or at
// the first pair that is not hex.
QString DecodeKvkText(const QString& hex, int digits);

// True when the text is an even number of hex digits (empty included).
bool IsHexRecordText(const QString& hex);

} // namespace kc

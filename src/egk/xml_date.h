// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <optional>

namespace kc {

// True when characters 5 and 6 (1-based) are two decimal digits. A sign, a
// blank or a separator there fails the test.
[[nodiscard]] bool PassesXmlDateTest(const QString& text);

// An eGK date in the KVK display form DD.MM.YYYY. Characters 5-6 of 13 or
// more mean the text is DDMMYYYY, otherwise it is YYYYMMDD. Nothing when
// the text fails the date test: the field then keeps its value.
[[nodiscard]] std::optional<QString> NormalizeXmlDate(const QString& text);

} // namespace kc

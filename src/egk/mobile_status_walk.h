// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/slot_tables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace kc {

// The walk over a handheld's status and extended data (tag, one length byte,
// value; tags A0 status, 91 read date, 92 approval number, 93 checksum, as
// the record's tag fields name them). Fills the record's lengths, values and
// texts and runs the XOR over read date, approval number and the checksum's
// tag and length. Unknown tags drop one byte.
struct StatusWalk {
    uint8_t xorSum = 0;
    QStringList messages; // the length messages, in the order they arose
};
StatusWalk WalkMobileStatusData(const QByteArray& data, MobileVsdRecord& record);

// The stored checksum must be exactly one byte equal to the XOR; a missing
// checksum object or one of another length is a checksum error too.
[[nodiscard]] bool MobileChecksumMatches(const MobileVsdRecord& record, uint8_t xorSum);

// A field of the card data derived from the extended data, and what the
// person is told about it. No value: the field is left as it is.
struct DerivedField {
    std::optional<QString> value;
    QString message;
};

// Einlesedatum: DD.MM.YYYY from an 8-character read date in YYYYMMDD, or in
// DDMMYYYY when characters 5 and 6 make 13 or more.
DerivedField ReadDateField(const QString& readDateText);

// Zulassungsnummer: the last (at most four) digits of the approval-number text.
DerivedField ApprovalNumberField(const QString& readDateText, const QString& approvalText);

} // namespace kc

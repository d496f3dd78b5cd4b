// SPDX-License-Identifier: Apache-2.0
#include "egk/mobile_status_walk.h"

#include "terminal/hex_codec.h"

namespace kc {
namespace {

constexpr int kStatusDigits = 50;
constexpr int kReadDateDigits = 16;
constexpr int kReadDateChars = 8;
constexpr int kApprovalDigitsKept = 4;

enum class ObjectKind { Status, ReadDate, Approval, Checksum, Unknown };

ObjectKind KindOfTag(const QString& tag, const MobileVsdRecord& record) {
    const QString upper = tag.toUpper();
    if (upper == record[StatusTag])
        return ObjectKind::Status;
    if (upper == record[ReadDateTag])
        return ObjectKind::ReadDate;
    if (upper == record[ApprovalTag])
        return ObjectKind::Approval;
    if (upper == record[ChecksumTag])
        return ObjectKind::Checksum;
    return ObjectKind::Unknown;
}

QString TooLongMessage(const QString& what) {
    return QStringLiteral("Größere Länge ") + what +
           QStringLiteral(" festgestellt!\r\nEs werden nicht alle Daten angezeigt!");
}

// The kind of an object is settled by its tag byte, and its value bytes are
// kept raw until it is complete: no text is made per byte, so a long run
// of status data costs one string per object.
struct Walker {
    explicit Walker(MobileVsdRecord& target) : record(target) {}

    MobileVsdRecord& record;
    StatusWalk result;
    bool expectTag = true;
    bool expectLength = true;
    uint8_t tag = 0;
    ObjectKind kind = ObjectKind::Unknown;
    int remaining = 0;
    QByteArray value;
    QString chars;

    void feed(uint8_t byte) {
        if (expectTag) {
            tag = byte;
            kind = KindOfTag(BytesToHex(&byte, 1), record);
            expectTag = false;
            return;
        }
        if (kind == ObjectKind::Unknown) {
            expectTag = true;
            return;
        }
        const bool covered = kind != ObjectKind::Status;
        if (expectLength) {
            if (covered)
                result.xorSum ^= tag ^ byte;
            record[LengthField(kind)] = BytesToHex(&byte, 1);
            remaining = byte;
            expectLength = false;
        } else {
            value.append(char(byte));
            if (kind == ObjectKind::ReadDate || kind == ObjectKind::Approval) {
                chars += Cp1252Char(byte);
                result.xorSum ^= byte;
            }
            --remaining;
        }
        if (remaining == 0)
            complete();
    }

    static MobileVsdField LengthField(ObjectKind kind) {
        switch (kind) {
        case ObjectKind::Status:
            return StatusLength;
        case ObjectKind::ReadDate:
            return ReadDateLength;
        case ObjectKind::Approval:
            return ApprovalLength;
        default:
            return ChecksumLength;
        }
    }

    void complete() {
        const QString hex = BytesToHex(value);
        switch (kind) {
        case ObjectKind::Status:
            record[StatusValue] = hex.left(kStatusDigits);
            if (hex.size() > kStatusDigits)
                result.messages.append(TooLongMessage(QStringLiteral("der VSD Statusdaten")));
            break;
        case ObjectKind::ReadDate:
            record[ReadDateValue] = hex.left(kReadDateDigits);
            record[ReadDateText] = chars.left(kReadDateChars);
            if (hex.size() > kReadDateDigits)
                result.messages.append(TooLongMessage(QStringLiteral("des Einlesedatums")));
            break;
        case ObjectKind::Approval:
            record[ApprovalValue] = hex;
            record[ApprovalText] = chars;
            break;
        case ObjectKind::Checksum:
            record[ChecksumValue] = hex;
            break;
        case ObjectKind::Unknown:
            break;
        }
        value.clear();
        chars.clear();
        expectTag = true;
        expectLength = true;
    }
};

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

StatusWalk WalkMobileStatusData(const QByteArray& data, MobileVsdRecord& record) {
    Walker walker(record);
    for (const char byte : data)
        walker.feed(uint8_t(byte));
    return walker.result;
}

bool MobileChecksumMatches(const MobileVsdRecord& record, uint8_t xorSum) {
    const QString& stored = record[ChecksumValue];
    return stored.size() == 2 && HexByteAt(stored, 1) == xorSum;
}

DerivedField ReadDateField(const QString& text) {
    if (text.size() != 8)
        return {};
    const QString month = text.mid(4, 2);
    if (!IsDigit(month[0]) || !IsDigit(month[1]))
        return {std::nullopt, QStringLiteral("Unbekanntes Format des Einlesedatums festgestellt!")};
    // A "month" of 13 or more is the year's first digits: the date is DDMMYYYY.
    if (month.toInt() >= 13)
        return {text.mid(0, 2) + QLatin1Char('.') + text.mid(2, 2) + QLatin1Char('.') + text.mid(4, 4), {}};
    return {text.mid(6, 2) + QLatin1Char('.') + text.mid(4, 2) + QLatin1Char('.') + text.mid(0, 4), {}};
}

DerivedField ApprovalNumberField(const QString& readDateText, const QString& approvalText) {
    if (readDateText.isEmpty())
        return {std::nullopt, QStringLiteral("Unbekanntes Format der Zulassungsnummer festgestellt!")};
    int digits = 0;
    while (digits < approvalText.size() && IsDigit(approvalText[approvalText.size() - 1 - digits]))
        ++digits;
    if (digits == 0)
        return {QString(), QStringLiteral("Die Zulassungsnummer konnte nicht ermittelt werden!")};
    return {approvalText.right(qMin(digits, kApprovalDigitsKept)), {}};
}

} // namespace kc

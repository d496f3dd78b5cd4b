// SPDX-License-Identifier: Apache-2.0
#include "cards/kvk_record.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/message_boxes.h"
#include "cards/kvk_data_objects.h"
#include "cards/kvk_fixed_record.h"
#include "cards/kvk_text.h"
#include "terminal/hex_codec.h"

#include <optional>

namespace kc {
namespace {

constexpr int kShortestRecord = 106;
constexpr int kLongestStationaryRecord = 438;
constexpr int kLongestMobileRecord = 518;
constexpr int kLongestTrailer = 84;

const QString kNoKvkText = QStringLiteral(" Keine Krankenversichertenkarte!!! ");
const QString kChecksumText = QStringLiteral(" Prüfsumme KVK korrupt!!! ");
const QString kTrailerChecksumText = QStringLiteral(" Prüfsummezusatz KVK korrupt!!! ");
const QString kTrailerLengthText = QStringLiteral(" Unbekannte Länge Prüfsummezusatz KVK! ");

// The 0x60 template: header bytes, the length it claims, and where its objects start (1-based digit).
struct Template {
    int headerBytes;
    int length;
    int objectStart;
};

std::optional<Template> RecogniseTemplate(const QString& record) {
    if (record.startsWith(QLatin1String("6081")))
        return Template{3, HexByteAt(record, 5), 7};
    if (record.startsWith(QLatin1String("6082")))
        return Template{4, HexByteAt(record, 5) * 256 + HexByteAt(record, 7), 9};
    if (record.startsWith(QLatin1String("60")))
        return Template{2, HexByteAt(record, 3), 5};
    return std::nullopt;
}

// A stored checksum is one byte as two digits; anything else cannot match.
bool ChecksumMatches(const QString& stored, uint8_t computed) {
    return stored.size() == 2 && HexByteAt(stored, 1) == computed;
}

bool Refuse(MessageBoxes& boxes, const QString& text) {
    boxes.inform(text, MsgIcon::Critical);
    return true;
}

} // namespace

KvkParseTarget KvkTargetOf(Context& ctx) {
    return {ctx.state.tables, ctx.state.SelectedPort, ctx.boxes};
}

bool ParseKvkRecord(Context& ctx, int slot, const QString& record) {
    return ParseKvkRecord(KvkTargetOf(ctx), slot, record);
}

bool ParseKvkRecord(const KvkParseTarget& target, int slot, const QString& record) {
    if (!IsHexRecordText(record)) {
        ShowDefectiveKvkRecord(target.boxes);
        return true;
    }
    TerminalInfo& info = target.tables.terminal[slot];
    const bool mobile = info.IsMobile;
    int length = int(record.size());
    int limit = kLongestMobileRecord;
    if (!mobile) {
        limit = kLongestStationaryRecord;
        // Fixed-format records with the handheld additions also come from stationary terminals.
        if (length == 462 || length == 510)
            length = kLongestStationaryRecord;
    }
    if (length < kShortestRecord || length > limit)
        return Refuse(target.boxes, kNoKvkText);

    const std::optional<Template> tmpl = RecogniseTemplate(record);
    if (!tmpl) {
        info.OutputMedium = QStringLiteral("PC (Festformat)");
        ParseKvkFixedRecord(record, target, slot);
        return false;
    }
    info.OutputMedium = QStringLiteral("PC (ASN-1)");
    // The object text runs to the end of the record, so it also takes in a handheld's additions.
    const QString objects = record.mid(tmpl->objectStart - 1, length);
    if (ParseKvkDataObjects(objects, target, slot) == KvkObjectsResult::Overrun)
        return true;

    // The template's checksum covers every template byte but the checksum value itself.
    const int checksumEnd = 2 * (tmpl->headerBytes + tmpl->length - 1);
    if (checksumEnd > record.size()) {
        ShowDefectiveKvkRecord(target.boxes);
        return true;
    }
    const InsuredRecord& stored = target.tables.insured[slot];
    if (!ChecksumMatches(stored[Pruefsumme], HexXorChecksum(record, 1, checksumEnd)))
        return Refuse(target.boxes, kChecksumText);
    if (!mobile)
        return false;

    if (stored[Pruefsummezusatz].isEmpty())
        return Refuse(target.boxes, kTrailerChecksumText);
    const int trailerDigits = length - 2 * (tmpl->length + tmpl->headerBytes);
    if (trailerDigits > kLongestTrailer)
        return Refuse(target.boxes, kTrailerLengthText);
    if (trailerDigits < 0 || !ChecksumMatches(stored[Pruefsummezusatz],
                                              HexXorChecksum(record, length - trailerDigits + 1, length - 3)))
        return Refuse(target.boxes, kTrailerChecksumText);
    return false;
}

} // namespace kc

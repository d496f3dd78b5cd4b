// SPDX-License-Identifier: Apache-2.0
#include "egk/mobile_egk_reader.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/insured_record_store.h"
#include "egk/egk_messages.h"
#include "egk/mobile_status_walk.h"
#include "egk/read_binary.h"
#include "egk/vsd_loading.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"
#include "terminal/terminal_session.h"

#include <optional>

namespace kc {
namespace {

constexpr uint16_t kStatusFile = 0x8C00;
constexpr uint16_t kPdFile = 0x8100;
constexpr uint16_t kVdFile = 0x8200;
constexpr uint32_t kStatusRoom = 256;
constexpr uint32_t kPdRoom = 850;
constexpr uint32_t kVdRoom = 1250;

// A document inside the bytes read, given by its first and last offset.
std::optional<QByteArray> Stretch(const QByteArray& bytes, int headerPos) {
    if (bytes.size() < headerPos + 4)
        return std::nullopt;
    const int first = uint8_t(bytes[headerPos]) * 256 + uint8_t(bytes[headerPos + 1]);
    const int last = uint8_t(bytes[headerPos + 2]) * 256 + uint8_t(bytes[headerPos + 3]);
    const int length = last - first + 1;
    if (first < 1 || last < 1 || length < 1 || first + length > bytes.size())
        return std::nullopt;
    return bytes.mid(first, length);
}

bool NoGvdInContainer(const QByteArray& bytes) {
    if (bytes.size() < 8)
        return false;
    const QByteArray offsets = bytes.mid(4, 4);
    return offsets == QByteArray(4, '\0') || offsets == QByteArray(4, char(0xFF));
}

// Messages wait in four slots, one each; a later one replaces an earlier one.
struct MessageSlots {
    QString pd;
    QString vd;
    QString container;
    QString general;
};

class MobileEgkRead {
  public:
    MobileEgkRead(Context& ctx, int slot)
        : ctx_(ctx), slot_(slot), record_(ctx.state.tables.egk[slot].MobileVsd) {}

    ReadResult run() {
        record_ = PresetMobileVsdRecord();
        const HcaSelection selection = SelectHealthApplication(ctx_);
        if (selection == HcaSelection::TransportFailed || selection == HcaSelection::Missing) {
            ShowEgkMessage(ctx_.boxes, HcaSelectionMessage(selection));
            return ReadResult::Failed;
        }
        if (selection == HcaSelection::Selected) {
            readStatus();
            readPd();
            readVdContainer();
            erase();
            if (status_)
                decodeStatus();
            loadDocuments();
        } else {
            messages_.general = HcaSelectionMessage(selection);
        }
        showIfAny(messages_.general);
        StoreInsuredRecord(fields_, ctx_.state.tables, slot_);
        ctx_.state.tables.terminal[slot_].OutputMedium = QStringLiteral("PC (ASN-1)");
        return ReadResult::Done;
    }

  private:
    void showIfAny(const QString& message) {
        if (!message.isEmpty())
            ShowEgkMessage(ctx_.boxes, message);
    }

    // The bytes of one stored file, or nothing when the read failed.
    std::optional<QByteArray> readFile(uint16_t file, uint32_t room) {
        QByteArray bytes;
        uint32_t count = room;
        if (ReadBinaryOnce(ctx_.session, kToCard, file, room, bytes, count) != 0 || count > room)
            return std::nullopt;
        return bytes;
    }

    void readStatus() {
        status_ = readFile(kStatusFile, kStatusRoom);
        if (!status_)
            messages_.general = EgkLine(QStringLiteral("Read EF Status VD  war nicht erfolgreich!"));
    }

    void readPd() {
        const std::optional<QByteArray> bytes = readFile(kPdFile, kPdRoom);
        if (!bytes || bytes->isEmpty()) {
            messages_.pd = EgkLine(QStringLiteral("Read EF PD war nicht erfolgreich!"));
            return;
        }
        const int length = bytes->size() >= 2 ? uint8_t(bytes->at(0)) * 256 + uint8_t(bytes->at(1)) : 0;
        if (length < 1 || length + 2 > bytes->size()) {
            messages_.pd = EgkBlock(QStringLiteral("Keine gültigen Daten in EF PD "));
            return;
        }
        pd_ = bytes->mid(2, length);
    }

    void readVdContainer() {
        const std::optional<QByteArray> bytes = readFile(kVdFile, kVdRoom);
        if (!bytes || bytes->isEmpty()) {
            messages_.vd = EgkLine(QStringLiteral("Read EF VD war nicht erfolgreich!"));
            return;
        }
        vd_ = Stretch(*bytes, 0);
        if (!vd_)
            messages_.container = EgkBlock(QStringLiteral("Keine gültigen VD Daten in EF VD "));
        gvd_ = Stretch(*bytes, 4);
        if (!gvd_)
            messages_.container =
                EgkBlock(NoGvdInContainer(*bytes) ? QStringLiteral("Keine GVD Daten im EF VD ")
                                                  : QStringLiteral("Keine gültigen GVD Daten im EF VD "));
    }

    // The record is erased whatever the reads found: the person agreed to it.
    void erase() {
        QString response;
        if (ctx_.session.TransmitApdu(Commands().CmdEraseBinary, kToCard, response) != OK) {
            messages_.general = EgkLine(QStringLiteral("Kommando ERASE BINARY war nicht erfolgreich!"));
            return;
        }
        if (StatusWord(response) != QLatin1String("9000")) {
            messages_.general = EgkLine(QStringLiteral("ERASE BINARY war nicht erfolgreich!"));
            return;
        }
        // The record is erased; whether the handheld also ejects changes nothing.
        QString ignored;
        static_cast<void>(ctx_.session.TransmitApdu(Commands().CmdEjectIcc1B, kToTerminal, ignored));
    }

    void decodeStatus() {
        const StatusWalk walk = WalkMobileStatusData(*status_, record_);
        for (const QString& message : walk.messages)
            ShowEgkMessage(ctx_.boxes, message);
        if (!MobileChecksumMatches(record_, walk.xorSum))
            ctx_.boxes.inform(
                QStringLiteral("Die Prüfsumme der gelesenen eGK VSD Zusatzdaten ist korrupt!!! "),
                MsgIcon::Critical);
        apply(ReadDateField(record_[ReadDateText]), Einlesedatum);
        apply(ApprovalNumberField(record_[ReadDateText], record_[ApprovalText]), Zulassungsnummer);
    }

    void apply(const DerivedField& derived, InsuredField field) {
        if (derived.value)
            fields_[field] = *derived.value;
        showIfAny(derived.message);
    }

    void loadDocument(const std::optional<QByteArray>& document, DocumentLoader loader, const QString& name,
                      QString& slot) {
        if (document) {
            const QString failure = LoadFailureMessage(name, loader(ctx_, *document, fields_, slot_));
            if (!failure.isEmpty())
                slot = failure;
        }
        showIfAny(slot);
    }

    void loadDocuments() {
        loadDocument(pd_, LoadPdDocument, QStringLiteral("PD"), messages_.pd);
        loadDocument(vd_, LoadVdDocument, QStringLiteral("VD"), messages_.vd);
        loadDocument(gvd_, LoadGvdDocument, QStringLiteral("GVD"), messages_.container);
    }

    Context& ctx_;
    int slot_;
    MobileVsdRecord& record_;
    EgkFieldBuffer fields_;
    MessageSlots messages_;
    std::optional<QByteArray> status_;
    std::optional<QByteArray> pd_;
    std::optional<QByteArray> vd_;
    std::optional<QByteArray> gvd_;
};

} // namespace

ReadResult ReadEgkFromMobileTerminal(Context& ctx, int slot) {
    return MobileEgkRead(ctx, slot).run();
}

} // namespace kc

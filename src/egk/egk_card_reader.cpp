// SPDX-License-Identifier: Apache-2.0
#include "egk/egk_card_reader.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/insured_record_store.h"
#include "egk/egk_messages.h"
#include "egk/read_binary.h"
#include "egk/vsd_loading.h"
#include "terminal/command_table.h"
#include "terminal/ctapi.h"
#include "terminal/hex_codec.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

constexpr int kLongestVd = 792;
constexpr int kLongestPd = 848;
constexpr int kLongestGvd = 448;
constexpr uint32_t kStatusVdSize = 25;

// Offsets in the headers of EF.VD, EF.PD and EF.GVD are big-endian 16-bit numbers.
int U16At(const QByteArray& bytes, int pos) {
    return uint8_t(bytes[pos]) * 256 + uint8_t(bytes[pos + 1]);
}

bool GvdIsElsewhere(int first, int last) {
    return (first == 0 && last == 0) || (first == 0xFFFF && last == 0xFFFF);
}

// One read of the card's documents.
class CardEgkRead {
  public:
    CardEgkRead(Context& ctx, int slot) : ctx_(ctx), slot_(slot) {}

    ReadResult run() {
        if (!resetCard())
            return ReadResult::Failed;
        readSerialNumber();
        for (void (CardEgkRead::*document)() :
             {&CardEgkRead::readVd, &CardEgkRead::readPd, &CardEgkRead::readGvd}) {
            const Step step = selectHca();
            if (step == Step::Stop)
                return ReadResult::Failed;
            if (step == Step::Continue)
                (this->*document)();
        }
        readStatus();
        StoreInsuredRecord(fields_, ctx_.state.tables, slot_);
        ctx_.state.tables.terminal[slot_].OutputMedium = QStringLiteral("PC (ASN-1)");
        return ReadResult::Done;
    }

  private:
    enum class Step { Continue, Skip, Stop };

    void say(const QString& message) { ShowEgkMessage(ctx_.boxes, message); }
    void sayLine(const QString& text) { say(EgkLine(text)); }

    int16_t send(const QString& command, int destination, QString& sw) {
        QString response;
        const int16_t code = ctx_.session.TransmitApdu(command, destination, response);
        sw = code == OK ? StatusWord(response) : QString();
        lastResponse_ = response;
        return code;
    }

    // Exactly length bytes from offset into buffer_; the result of the read in *result.
    bool readExactly(uint32_t offset, uint32_t length, ReadResult* result = nullptr) {
        uint32_t count = length;
        const ReadResult read = ReadBinaryChunked(ctx_.session, kToCard, offset, length, buffer_, count);
        if (result)
            *result = read;
        return read == ReadResult::Done && count == length;
    }

    bool resetCard() {
        QString sw;
        if (send(Commands().CmdResetIcc1, kToTerminal, sw) != OK) {
            sayLine(QStringLiteral("Kommando Reset Chipkarte war nicht erfolgreich!"));
            return false;
        }
        if (sw != QLatin1String("9001")) {
            sayLine(QStringLiteral("Reset Chipkarte war nicht erfolgreich!"));
            return false;
        }
        return true;
    }

    // EF.GDO: tag, length n, n bytes of serial number. The status word is never part of it.
    void readSerialNumber() {
        QString sw;
        if (send(Commands().CmdReadBinarySfiGdo, kToCard, sw) != OK)
            return;
        QString& serial = ctx_.state.tables.egk[slot_].IccSerialNumber;
        if (sw != QLatin1String("9000")) {
            serial.clear();
            return;
        }
        const QString data = lastResponse_.left(lastResponse_.size() - 4);
        const int length = HexByteAt(data, 3);
        serial = length < 0 ? QString() : data.mid(4, 2 * length);
    }

    Step selectHca() {
        const HcaSelection selection = SelectHealthApplication(ctx_);
        if (selection == HcaSelection::Selected)
            return Step::Continue;
        say(HcaSelectionMessage(selection));
        const bool stop = selection == HcaSelection::TransportFailed || selection == HcaSelection::Missing;
        return stop ? Step::Stop : Step::Skip;
    }

    bool selectFile(const QString& command, const QString& name) {
        QString sw;
        if (send(command, kToCard, sw) != OK) {
            sayLine(QStringLiteral("Kommando Select EF ") + name + QStringLiteral(" war nicht erfolgreich!"));
            return false;
        }
        if (sw != QLatin1String("9000")) {
            sayLine(QStringLiteral("Select EF ") + name + QStringLiteral(" war nicht erfolgreich!"));
            return false;
        }
        return true;
    }

    void load(DocumentLoader loader, const QString& name) {
        const QString failure = LoadFailureMessage(name, loader(ctx_, buffer_, fields_, slot_));
        if (!failure.isEmpty())
            say(failure);
    }

    void readVd() {
        if (!selectFile(Commands().CmdSelectEfVd, QStringLiteral("VD")))
            return;
        const QString readFailed = QStringLiteral("Read EF VD war nicht erfolgreich!");
        if (!readExactly(0, 4))
            return sayLine(readFailed);
        const int first = U16At(buffer_, 0);
        const int last = U16At(buffer_, 2);
        const int length = last - first + 1;
        if (first < 1 || last < 1 || length < 1 || length > kLongestVd)
            return say(EgkBlock(QStringLiteral("Keine gültigen Daten in EF VD ")));
        if (!readExactly(uint32_t(first), uint32_t(length)))
            return sayLine(readFailed);
        load(LoadVdDocument, QStringLiteral("VD"));
    }

    void readPd() {
        if (!selectFile(Commands().CmdSelectEfPd, QStringLiteral("PD")))
            return;
        const QString readFailed = QStringLiteral("Read EF PD war nicht erfolgreich!");
        if (!readExactly(0, 2))
            return sayLine(readFailed);
        const int length = U16At(buffer_, 0);
        if (length < 1 || length > kLongestPd)
            return say(EgkBlock(QStringLiteral("Keine gültigen Daten in EF PD ")));
        if (!readExactly(2, uint32_t(length)))
            return sayLine(readFailed);
        load(LoadPdDocument, QStringLiteral("PD"));
    }

    // The GVD is a second stretch of EF.VD, or, when its offsets say so, the file EF.GVD.
    void readGvd() {
        if (!selectFile(Commands().CmdSelectEfVd, QStringLiteral("VD")))
            return;
        if (!readExactly(4, 4))
            return sayLine(QStringLiteral("Read EF VD war nicht erfolgreich!"));
        const int first = U16At(buffer_, 0);
        const int last = U16At(buffer_, 2);
        if (GvdIsElsewhere(first, last))
            return readGvdFile();
        const int length = last - first + 1;
        if (length < 1 || length > kLongestGvd)
            return say(EgkBlock(QStringLiteral("Keine gültigen GVD Daten im EF VD Container! ")));
        if (!readExactly(uint32_t(first), uint32_t(length)))
            return sayLine(QStringLiteral("Read GVD Daten aus EF VD Container war nicht erfolgreich!"));
        load(LoadGvdDocument, QStringLiteral("GVD"));
    }

    void readGvdFile() {
        if (!selectFile(Commands().CmdSelectEfGvd, QStringLiteral("GVD")))
            return;
        const QString readFailed = QStringLiteral("Read EF GVD war nicht erfolgreich!");
        ReadResult result = ReadResult::Done;
        if (!readExactly(0, 2, &result)) {
            if (result == ReadResult::Refused) {
                ctx_.state.tables.egk[slot_].GvdProtected = true;
                return say(
                    EgkLine(QStringLiteral("Lesen geschützter Versichertendaten (EF.GVD) nicht möglich! ")) +
                    EgkLine(QStringLiteral("Eine Freischaltung z.B. durch PIN Eingabe wird durch KartoCheck "
                                           "nicht unterstützt!")));
            }
            return sayLine(readFailed);
        }
        const int length = U16At(buffer_, 0);
        if (length < 1 || length > kLongestGvd)
            return say(EgkBlock(QStringLiteral("Keine gültigen Daten in EF GVD ")));
        if (!readExactly(2, uint32_t(length)))
            return sayLine(readFailed);
        load(LoadGvdDocument, QStringLiteral("GVD"));
    }

    // EF.StatusVD; any obstacle leaves the status empty without a message.
    void readStatus() {
        QString& status = ctx_.state.tables.egk[slot_].VsdStatus;
        status.clear();
        QString sw;
        for (const QString& command : {Commands().CmdSelectDfHca, Commands().CmdSelectEfStatusVd}) {
            if (send(command, kToCard, sw) != OK || sw != QLatin1String("9000"))
                return;
        }
        uint32_t count = kStatusVdSize;
        if (ReadBinaryChunked(ctx_.session, kToCard, 0, kStatusVdSize, buffer_, count) == ReadResult::Done &&
            count <= kStatusVdSize)
            status = BytesToHex(buffer_);
    }

    Context& ctx_;
    int slot_;
    EgkFieldBuffer fields_;
    QByteArray buffer_;
    QString lastResponse_;
};

} // namespace

ReadResult ReadEgkFromCard(Context& ctx, uint16_t pn) {
    return CardEgkRead(ctx, SlotOfPort(pn)).run();
}

} // namespace kc

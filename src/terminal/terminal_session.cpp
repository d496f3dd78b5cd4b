// SPDX-License-Identifier: Apache-2.0
#include "terminal/terminal_session.h"

#include "base/event_pump.h"
#include "base/message_boxes.h"
#include "base/status_line.h"
#include "terminal/command_table.h"
#include "terminal/hex_codec.h"

#include <cstdlib>

namespace kc {
namespace {

const QString kFileMissingText = QStringLiteral("Datei nicht gefunden, CTZAV32.dll !!!");
const QString kEntryMissingText = QStringLiteral("Dynamic Link Library (DLL) Fehler !!! ; CTZAV32.dll ");

constexpr int kLossesBeforeGivingUp = 2;

int LampOf(int unit) {
    return unit == kToTerminal ? kTerminalLamp : kCardLamp;
}

} // namespace

TerminalSession::TerminalSession(CtApiProvider& provider, SlotTables& tables, MessageBoxes& boxes,
                                 EventPump& pump, LampObserver* lamps)
    : provider_(provider), tables_(tables), boxes_(boxes), pump_(pump), lamps_(lamps),
      fatalExit_([](int status) { std::exit(status); }) {}

QString LibraryFileMissingText() {
    return kFileMissingText;
}

CtApi* TerminalSession::api() {
    for (;;) {
        LibraryFault fault = LibraryFault::None;
        if (CtApi* api = provider_.acquire(fault))
            return api;
        const bool missing = fault == LibraryFault::FileMissing;
        boxes_.inform(missing ? kFileMissingText : kEntryMissingText, MsgIcon::Critical);
        if (!missing || !libraryMissing_ || !libraryMissing_())
            break;
    }
    fatalExit_(2);
    return nullptr;
}

// Null, without calling the library, once it is given up for this action.
CtApi* TerminalSession::usableApi() {
    return givenUp_ ? nullptr : api();
}

void TerminalSession::beginAction() {
    lossesInARow_ = 0;
    givenUp_ = false;
}

void TerminalSession::setLamp(int lamp, LampColor color) {
    if (lamps_)
        lamps_->setLamp(lamp, color);
}

// A library whose helper hung or ended took its session along: the session is
// closed as far as the program is concerned, and the person is told why.
bool TerminalSession::noticeLibraryLoss() {
    const QString loss = provider_.takeLibraryLoss();
    if (loss.isEmpty()) {
        lossesInARow_ = 0;
        return false;
    }
    lastLoss_ = loss;
    givenUp_ = ++lossesInARow_ >= kLossesBeforeGivingUp;
    sessionOpen_ = false;
    setLamp(kCardLamp, LampColor::Neutral);
    setLamp(kTerminalLamp, LampColor::Neutral);
    if (status_)
        status_->showStatus(loss);
    return true;
}

int16_t TerminalSession::OpenTerminal(uint16_t pn) {
    const int slot = SlotOfPort(pn);
    pump_.runPendingOnce();
    tables_.port[slot].CtApiBaudText.clear();
    CtApi* ctapi = usableApi();
    if (!ctapi)
        return givenUp_ ? ERR_TRANS : ERR_HTSI;
    const int16_t code = ctapi->init(kCtn, pn);
    if (noticeLibraryLoss())
        return code;
    if (code == OK) {
        sessionOpen_ = true;
        setLamp(kCardLamp, LampColor::Green);
        setLamp(kTerminalLamp, LampColor::Green);
        int32_t baud = -1;
        const int32_t baudCode = ctapi->getBaudrate(kCtn, &baud);
        if (noticeLibraryLoss())
            return ERR_TRANS;
        if (baudCode == 0)
            tables_.port[slot].CtApiBaudText.set(QString::number(baud));
    }
    return code;
}

int16_t TerminalSession::exchangeBytes(int destination, const uint8_t* command, uint16_t lenc,
                                       uint8_t* response, uint16_t& lenr) {
    // A library given up is not called, and no lamp pretends it is.
    if (givenUp_) {
        lenr = 0;
        return ERR_TRANS;
    }
    setLamp(LampOf(destination), LampColor::Yellow);
    pump_.runPendingOnce();
    CtApi* ctapi = api();
    if (!ctapi)
        return ERR_HTSI;
    uint8_t dad = uint8_t(destination);
    uint8_t sad = 2;
    const uint16_t capacity = lenr;
    // The library gets its own copy: CT-API takes the command as a non-const buffer.
    QByteArray commandCopy(reinterpret_cast<const char*>(command), lenc);
    int16_t code =
        ctapi->data(kCtn, &dad, &sad, lenc, reinterpret_cast<uint8_t*>(commandCopy.data()), &lenr, response);
    setLamp(LampOf(sad), LampColor::Green);
    noticeLibraryLoss();
    // A library claiming more bytes than the buffer holds has failed; never read past it.
    if (code == OK && lenr > capacity)
        code = ERR_MEMORY;
    if (code == OK && lenr < 2)
        code = ERR_MEMORY;
    if (code != OK)
        lenr = 0;
    return code;
}

int16_t TerminalSession::TransmitApdu(const QString& command, int destination, QString& response) {
    const QByteArray bytes = HexToBytes(command);
    uint16_t lenr = kResponseCapacity;
    const int16_t code = exchangeBytes(destination, reinterpret_cast<const uint8_t*>(bytes.constData()),
                                       uint16_t(bytes.size()), responseBuffer_.data(), lenr);
    if (code == OK)
        response = BytesToHex(responseBuffer_.data(), lenr);
    return code;
}

int16_t TerminalSession::CloseTerminal() {
    pump_.runPendingOnce();
    CtApi* ctapi = usableApi();
    if (!ctapi)
        return givenUp_ ? ERR_TRANS : ERR_HTSI;
    const int16_t code = ctapi->close(kCtn);
    if (noticeLibraryLoss())
        return code;
    if (code == OK) {
        sessionOpen_ = false;
        setLamp(kCardLamp, LampColor::Neutral);
        setLamp(kTerminalLamp, LampColor::Neutral);
    }
    return code;
}

void TerminalSession::ResetAndCloseTerminal() {
    // Best effort: a terminal that does not answer the reset is closed all the same.
    QString ignored;
    static_cast<void>(TransmitApdu(Commands().CmdResetCt, kToTerminal, ignored));
    static_cast<void>(CloseTerminal());
}

int16_t TerminalSession::probeInit(uint16_t pn) {
    CtApi* ctapi = usableApi();
    if (!ctapi)
        return givenUp_ ? ERR_TRANS : ERR_HTSI;
    const int16_t code = ctapi->init(kCtn, pn);
    noticeLibraryLoss();
    return code;
}

int16_t TerminalSession::probeClose() {
    CtApi* ctapi = usableApi();
    if (!ctapi)
        return givenUp_ ? ERR_TRANS : ERR_HTSI;
    const int16_t code = ctapi->close(kCtn);
    noticeLibraryLoss();
    return code;
}

} // namespace kc

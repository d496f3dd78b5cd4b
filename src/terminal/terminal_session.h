// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/lamps.h"
#include "base/slot_tables.h"
#include "terminal/ctapi_provider.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace kc {

class EventPump;
class MessageBoxes;
class StatusLine;

// The single gate for terminal traffic: one CT-API session at a time, always
// card-terminal number 1, commands as hex text, lamps following the traffic.
// The box shown when the terminal library file is missing.
QString LibraryFileMissingText();

class TerminalSession {
  public:
    using FatalExit = std::function<void(int status)>;
    // After the box about a missing library file: true when another library
    // was chosen, which the provider then hands out.
    using LibraryMissing = std::function<bool()>;

    TerminalSession(CtApiProvider& provider, SlotTables& tables, MessageBoxes& boxes, EventPump& pump,
                    LampObserver* lamps = nullptr);

    [[nodiscard]] int16_t OpenTerminal(uint16_t pn);
    [[nodiscard]] int16_t TransmitApdu(const QString& command, int destination, QString& response);
    [[nodiscard]] int16_t CloseTerminal();
    void ResetAndCloseTerminal();
    bool SessionOpen() const { return sessionOpen_; }

    // A command given as bytes, answered into the caller's buffer of capacity lenr
    // (the long eGK reads). On return lenr holds the bytes received.
    [[nodiscard]] int16_t exchangeBytes(int destination, const uint8_t* command, uint16_t lenc,
                                        uint8_t* response, uint16_t& lenr);

    // Open and close without lamps or baud text, as the search of further ports does.
    [[nodiscard]] int16_t probeInit(uint16_t pn);
    [[nodiscard]] int16_t probeClose();

    // How the program ends after a library fault; tests replace it.
    void setFatalExit(FatalExit fatalExit) { fatalExit_ = std::move(fatalExit); }
    void setLibraryMissing(LibraryMissing libraryMissing) { libraryMissing_ = std::move(libraryMissing); }
    void setLamps(LampObserver* lamps) { lamps_ = lamps; }
    // Where a lost library is reported.
    void setStatusLine(StatusLine* status) { status_ = status; }

    // A library that was lost twice in a row (its helper hung past a time
    // limit, died or could not be started again) is given up for the rest of
    // the action: every call fails at once instead of waiting out its limit
    // again. An answer in between resets the count; a new action starts afresh.
    void beginAction();
    bool libraryGivenUp() const { return givenUp_; }
    // What was said of the last loss, for the status line at the end.
    const QString& lastLoss() const { return lastLoss_; }

    static constexpr uint16_t kCtn = 1;
    static constexpr int kResponseCapacity = 4098;

  private:
    CtApi* api();
    CtApi* usableApi();
    void setLamp(int lamp, LampColor color);
    bool noticeLibraryLoss();

    CtApiProvider& provider_;
    SlotTables& tables_;
    MessageBoxes& boxes_;
    EventPump& pump_;
    LampObserver* lamps_;
    StatusLine* status_ = nullptr;
    FatalExit fatalExit_;
    LibraryMissing libraryMissing_;
    bool sessionOpen_ = false;
    int lossesInARow_ = 0;
    bool givenUp_ = false;
    QString lastLoss_;
    std::array<uint8_t, kResponseCapacity> responseBuffer_{};
};

} // namespace kc

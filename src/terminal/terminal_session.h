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
class TerminalSession {
  public:
    using FatalExit = std::function<void(int status)>;

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
    void setLamps(LampObserver* lamps) { lamps_ = lamps; }
    // Where a lost library is reported.
    void setStatusLine(StatusLine* status) { status_ = status; }

    static constexpr uint16_t kCtn = 1;
    static constexpr int kResponseCapacity = 4098;

  private:
    CtApi* api();
    void setLamp(int lamp, LampColor color);
    bool noticeLibraryLoss();

    CtApiProvider& provider_;
    SlotTables& tables_;
    MessageBoxes& boxes_;
    EventPump& pump_;
    LampObserver* lamps_;
    StatusLine* status_ = nullptr;
    FatalExit fatalExit_;
    bool sessionOpen_ = false;
    std::array<uint8_t, kResponseCapacity> responseBuffer_{};
};

} // namespace kc

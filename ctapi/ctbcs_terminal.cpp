// SPDX-License-Identifier: Apache-2.0
#include "ctapi/ctbcs_terminal.h"

#include "ctapi/ctbcs.h"
#include "ctapi/status_words.h"

namespace kc::ctapi {

using namespace ctbcs;

Reply CtBcsTerminal::TerminalAnswer(Bytes bytes) {
    return Reply{0, std::move(bytes), 1};
}

Reply CtBcsTerminal::TerminalAnswer(uint16_t status) {
    return TerminalAnswer(StatusOnly(status));
}

Reply CtBcsTerminal::handleCtBcs(std::span<const uint8_t> command) {
    const auto apdu = Apdu::parse(command);
    if (!apdu || (apdu->extended && !takesExtendedLengths()))
        return TerminalAnswer(sw::kWrongLength);
    if (apdu->cla != kCla)
        return TerminalAnswer(sw::kClaNotSupported);
    switch (apdu->ins) {
    case kInsReset:
        if (apdu->p1 == kTerminalItself)
            return resetCt();
        return apdu->p1 == kIcc1 ? resetIcc(*apdu) : TerminalAnswer(sw::kWrongParameters);
    case kInsRequestIcc:
        return apdu->p1 == kIcc1 ? requestIcc(*apdu) : TerminalAnswer(sw::kWrongParameters);
    case kInsGetStatus:
        switch (apdu->p2) {
        case kStatusUnits:
            return functionalUnits();
        case kStatusManufacturer:
            return manufacturer();
        case kStatusIcc:
            return iccStatus();
        default:
            return TerminalAnswer(sw::kWrongParameters);
        }
    case kInsEjectIcc:
        return apdu->p1 == kIcc1 ? ejectIcc() : TerminalAnswer(sw::kWrongParameters);
    default:
        return otherInstruction(*apdu);
    }
}

Reply CtBcsTerminal::otherInstruction(const Apdu&) {
    return TerminalAnswer(sw::kInsNotSupported);
}

} // namespace kc::ctapi

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ctapi/apdu.h"

#include <span>

namespace kc::ctapi {

// The terminal side of CT-BCS (CLA 20): class, instruction and slot are
// checked here, once for every terminal; a terminal says only how it does
// each command. Each hook gets a command whose P1 it handles.
class CtBcsTerminal {
  public:
    virtual ~CtBcsTerminal() = default;

    [[nodiscard]] Reply handleCtBcs(std::span<const uint8_t> command);

    // The terminal's answer: the bytes given, or only a status word.
    [[nodiscard]] static Reply TerminalAnswer(Bytes bytes);
    [[nodiscard]] static Reply TerminalAnswer(uint16_t status);

  protected:
    // Short lengths only, unless a terminal says otherwise.
    [[nodiscard]] virtual bool takesExtendedLengths() const { return false; }
    [[nodiscard]] virtual Reply resetCt() = 0;
    [[nodiscard]] virtual Reply resetIcc(const Apdu& apdu) = 0;
    [[nodiscard]] virtual Reply requestIcc(const Apdu& apdu) = 0;
    [[nodiscard]] virtual Reply ejectIcc() = 0;
    // GET STATUS, by the data object asked for.
    [[nodiscard]] virtual Reply functionalUnits() = 0;
    [[nodiscard]] virtual Reply manufacturer() = 0;
    [[nodiscard]] virtual Reply iccStatus() = 0;
    // An instruction CT-BCS itself does not name.
    [[nodiscard]] virtual Reply otherInstruction(const Apdu& apdu);
};

} // namespace kc::ctapi

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/read_result.h"
#include "base/slot_tables.h"

#include <QString>
#include <cstdint>

namespace kc {

struct Context;
class EgkReadHook;

// One run of the read driver: the port, its slot and the traffic helpers the
// steps share. Internal to the driver.
struct CardRead {
    Context& ctx;
    uint16_t pn;
    int slot;
    TerminalInfo& info;
    EgkReadHook& egk;

    // Sends a command; on code 0 the response is replaced.
    [[nodiscard]] int16_t send(const QString& command, int destination, QString& response);
    // Every end but the declined warnings and the open failure resets and closes the terminal.
    [[nodiscard]] ReadResult end(ReadResult result);
};

// Step K: the memory card (KVK) or a handheld's stored KVK record.
[[nodiscard]] ReadResult ReadKvkStep(CardRead& run);
// Step E: the processor card (eGK), handed to the eGK readers.
[[nodiscard]] ReadResult ReadEgkStep(CardRead& run);
// Step L: the terminal shows card data on its own display or printer.
[[nodiscard]] ReadResult OutputMediumNotPc(CardRead& run);

// The warning before a handheld's stored record is read and then erased.
QString EraseWarningText(const QString& device);

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "terminal/manufacturer_data.h"

#include "base/slot_tables.h"
#include "terminal/command_table.h"
#include "terminal/hex_codec.h"
#include "terminal/terminal_session.h"

#include <algorithm>

namespace kc {

int16_t ReadManufacturerData(TerminalSession& session, SlotTables& tables, int slot) {
    slot = std::min(slot, kSlotCount);
    QString response;
    const int16_t code = session.TransmitApdu(Commands().CmdGetStatusManufacturer, kToTerminal, response);
    if (code != OK)
        return code;
    if (response.left(2) != QLatin1String("46"))
        return 1;
    if (HexByteAt(response, 3) < 15)
        return 1;
    TerminalInfo& info = tables.terminal[slot];
    info.Manufacturer.set(HexToAscii(response.mid(4, 10)));
    info.CtType.set(HexToAscii(response.mid(14, 10)));
    info.SoftwareVersion.set(HexToAscii(response.mid(24, 10)));
    return 0;
}

} // namespace kc

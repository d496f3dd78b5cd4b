// SPDX-License-Identifier: Apache-2.0
#include "discovery/further_ports.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/event_pump.h"
#include "base/status_line.h"
#include "discovery/port_names.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

constexpr int kSerialPorts = 256;
constexpr int kUsbDevices = 256;

// Opens pn once through the library and closes it whatever the open gave.
int16_t TryOpen(Context& ctx, FurtherPorts& table, int column, uint16_t pn) {
    table[1][std::size_t(column)] = 0;
    ctx.pump.runPendingOnce();
    const int16_t code = ctx.session.probeInit(pn);
    table[0][std::size_t(column)] = uint8_t(code);
    ctx.pump.runPendingOnce();
    // Only the opening answer is recorded for the port.
    static_cast<void>(ctx.session.probeClose());
    return code;
}

} // namespace

void EnumerateFurtherPorts(Context& ctx) {
    FurtherPorts& table = ctx.state.tables.furtherPorts;
    std::size_t listed = 0;
    // A library given up is asked no more: the ports it did not answer for stay unlisted.
    for (int k = 0; k < kSerialPorts && !ctx.session.libraryGivenUp(); ++k) {
        const uint16_t pn = uint16_t(k + 1);
        if (k > 3)
            ctx.status.showStatus(PortTestingText(pn));
        // COM 1 to 4 have their own slots and are not listed again.
        if (TryOpen(ctx, table, k, pn) == OK && k > 3)
            table[1][listed++] = pn;
    }
    for (int k = 0; k < kUsbDevices && !ctx.session.libraryGivenUp(); ++k) {
        const uint16_t pn = uint16_t(kUsbPortBase + k);
        ctx.status.showStatus(QStringLiteral("Programm prüft USB Device %1").arg(k + 1));
        if (TryOpen(ctx, table, kSerialPorts + k, pn) == OK)
            table[1][listed++] = pn;
    }
}

int FurtherPortCount(const SlotTables& tables) {
    int count = 0;
    while (count < kFurtherPortColumns && tables.furtherPorts[1][std::size_t(count)] != 0)
        ++count;
    return count;
}

} // namespace kc

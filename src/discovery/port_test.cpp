// SPDX-License-Identifier: Apache-2.0
#include "discovery/port_test.h"

#include "base/app_state.h"
#include "base/card_display.h"
#include "base/context.h"
#include "base/event_pump.h"
#include "base/port_result.h"
#include "discovery/baud_probe.h"
#include "discovery/identify_terminal.h"
#include "discovery/pnp_probe.h"
#include "discovery/port_names.h"
#include "discovery/serial_line.h"
#include "terminal/terminal_session.h"

namespace kc {
namespace {

const QString kPortMissing = QStringLiteral("Ist nicht vorhanden bzw. wird vom System benutzt!");
const QString kPortInUse = QStringLiteral("Wird vom System benutzt!");
const QString kPortOpenFailed = QStringLiteral("PortOpen Fehlermeldung!!!");
const QString kPortAvailable = QStringLiteral("Ist verfügbar!");
const QString kPortFree = QStringLiteral("Ist verfügbar! ");
const QString kWrongCable = QStringLiteral("Falsches RS 232 Kabel/Verbinder!");
const QString kModelUnknown = QStringLiteral("Modell nicht bekannt!");
const QString kUnknownDevice = QStringLiteral("Unbekanntes Gerät?! ");

PortResultCode ComProbeResultOf(int serialError) {
    switch (serialError) {
    case kSerialInvalidPort:
        return kPortResultMissing;
    case kSerialPortOpen:
        return kPortResultBusy;
    default:
        return kPortResultOpenError;
    }
}

void MarkBusy(PortStatus& port, const QString& text, PortResultCode result) {
    port.InterfaceText = text;
    port.BaudRateText.clear();
    port.PortPresent = true;
    port.PortBusy = true;
    port.PortResult = result;
}

void MarkNoTerminal(SlotTables& tables, int slot, int16_t code) {
    ResetTerminalInfo(tables, slot);
    tables.terminal[slot].ModelText = code == ERR_TRANS ? kModelUnknown : kUnknownDevice;
}

// Speed probe and library open, common to every port that exists and is free.
int16_t OpenAfterSpeedProbe(Context& ctx, SerialLine& line, uint16_t pn) {
    PortStatus& port = ctx.state.tables.port[SlotOfPort(pn)];
    port.PortPresent = true;
    port.PortBusy = false;
    port.BaudProbed = false;
    ProbeBaudRate(line, ctx.pump, ctx.state.tables, pn);
    if (ctx.session.SessionOpen())
        ctx.session.ResetAndCloseTerminal();
    const int16_t code = ctx.session.OpenTerminal(pn);
    if (code == OK && !port.BaudProbed)
        port.BaudRateText = port.CtApiBaudText.str();
    return code;
}

// Slot 5 is shared by every further port: nothing of the port tested before
// may stay, so the port names itself and its speed starts unknown.
void TestFurtherPort(Context& ctx, SerialLine& line, uint16_t pn) {
    SlotTables& tables = ctx.state.tables;
    const int slot = SlotOfPort(pn);
    tables.port[slot].InterfaceText = InterfaceDescription(pn);
    tables.port[slot].BaudRateText.clear();
    const int16_t code = OpenAfterSpeedProbe(ctx, line, pn);
    tables.port[slot].PortResult = code;
    if (code != OK) {
        MarkNoTerminal(tables, slot, code);
        return;
    }
    IdentifyTerminal(ctx.session, tables, pn);
    // The identification is in the tables; closing cannot change it.
    static_cast<void>(ctx.session.CloseTerminal());
}

// A terminal answering without DSR is on a wrong cable, unless it says it is
// attached through USB as a virtual COM port.
void TestComPortWithoutDsr(Context& ctx, uint16_t pn, int16_t code) {
    SlotTables& tables = ctx.state.tables;
    const int slot = SlotOfPort(pn);
    PortStatus& port = tables.port[slot];
    port.PortResult = code;
    switch (code) {
    case OK:
        port.PortResult = kPortResultIdentified;
        IdentifyTerminal(ctx.session, tables, pn);
        if (!tables.terminal[slot].ViaUsbVirtualCom)
            port.InterfaceText = kWrongCable;
        static_cast<void>(ctx.session.CloseTerminal()); // as after any identification
        break;
    case ERR_HOST:
        MarkBusy(port, kPortInUse, kPortResultBusy);
        break;
    case ERR_TRANS:
        port.InterfaceText = kPortFree;
        tables.terminal[slot].ModelText = kModelUnknown;
        break;
    default:
        port.PortResult = kPortResultLibraryFailed;
        port.InterfaceText = kPortAvailable;
        port.BaudRateText.clear();
        break;
    }
}

void TestComPortWithDsr(Context& ctx, SerialLine& line, uint16_t pn, int16_t code) {
    SlotTables& tables = ctx.state.tables;
    const int slot = SlotOfPort(pn);
    tables.port[slot].PortResult = code;
    if (code != OK) {
        MarkNoTerminal(tables, slot, code);
    } else {
        const int16_t identified = IdentifyTerminal(ctx.session, tables, pn);
        const int16_t closed = ctx.session.CloseTerminal();
        if (identified == 0 && closed == OK) {
            if (const std::optional<QString> pnp = ProbeSerialPnp(line, ctx.pump, pn))
                tables.terminal[slot].PnpDeviceId = *pnp;
        }
    }
    tables.port[slot].InterfaceText = kPortFree;
}

void TestComPort(Context& ctx, SerialLine& line, uint16_t pn) {
    PortStatus& port = ctx.state.tables.port[SlotOfPort(pn)];
    ctx.pump.runPendingOnce();
    const ComProbe probe = ProbeComPort(line, ctx.pump, pn);
    ctx.pump.runPendingOnce();
    port.DsrSeen = probe.dsr;
    switch (probe.result) {
    case kPortResultMissing:
        port.InterfaceText = kPortMissing;
        port.BaudRateText.clear();
        port.PortPresent = false;
        port.PortResult = kPortResultMissing;
        return;
    case kPortResultBusy:
        MarkBusy(port, kPortInUse, kPortResultBusy);
        return;
    case kPortResultOpenError:
        MarkBusy(port, kPortOpenFailed, kPortResultOpenError);
        return;
    default:
        break;
    }
    const int16_t code = OpenAfterSpeedProbe(ctx, line, pn);
    if (probe.dsr)
        TestComPortWithDsr(ctx, line, pn, code);
    else
        TestComPortWithoutDsr(ctx, pn, code);
}

} // namespace

ComProbe ProbeComPort(SerialLine& line, EventPump& pump, uint16_t pn) {
    ComProbe probe;
    if (!line.open(pn)) {
        probe.result = ComProbeResultOf(line.errorNumber());
        return probe;
    }
    SerialLineCloser closer(line);
    bool dsr = false;
    if (!line.setDtr(true)) {
        probe.result = ComProbeResultOf(line.errorNumber());
        return probe;
    }
    pump.wait(WaitTimer::Timer3);
    if (!line.dsr(dsr) || !line.setDtr(false)) {
        probe.result = ComProbeResultOf(line.errorNumber());
        return probe;
    }
    probe.dsr = dsr;
    return probe;
}

void ResetTerminalInfo(SlotTables& tables, int slot) {
    TerminalInfo& info = tables.terminal[slot];
    info.ModelText.clear();
    info.Manufacturer.clear();
    info.CtType.clear();
    info.SoftwareVersion.clear();
    info.OutputMedium.clear();
    info.PnpDeviceId.clear();
    info.Responding = false;
}

void ForgetPortTest(AppState& state, int slot) {
    state.tables.port[slot] = PortStatus{};
    ResetTerminalInfo(state.tables, slot);
    // A replaced terminal must not inherit the handheld or virtual-COM mark
    // of the one tested here before.
    state.tables.terminal[slot].IsMobile = false;
    state.tables.terminal[slot].ViaUsbVirtualCom = false;
    ResetSlotDisplay(state.tables, slot, state.ui.card);
    state.ui.card.mobileRowsVisible = false;
}

void TestPort(Context& ctx, SerialLine& line, uint16_t pn) {
    AppState& state = ctx.state;
    const int slot = SlotOfPort(pn);
    ForgetPortTest(state, slot);

    if (pn >= 5)
        TestFurtherPort(ctx, line, pn);
    else
        TestComPort(ctx, line, pn);
    ShowTerminalStatus(state.tables, slot, state.ui.statusPages);
}

} // namespace kc

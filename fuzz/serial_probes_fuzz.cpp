// SPDX-License-Identifier: Apache-2.0
// The speed probe, the plug-and-play probe and the scan's test of one port
// on a serial device played from the input, the terminal library behind it
// too (see FuzzTerminal). Bytes: the flow (bits 0-1: speed probe,
// plug-and-play probe, port test) and port 1 to 6 (the rest); the device's
// DSR (bit 0) and failing operation (bits 1-3); its open error (0xF0 on);
// the power-up from which it sends its plug-and-play text; that text as up
// to three chunks (length byte, bytes). Each send is answered by a length
// byte and that many bytes. The library's answers follow.
#include "discovery/baud_probe.h"
#include "discovery/pnp_probe.h"
#include "discovery/port_test.h"
#include "fuzz_bench.h"
#include "fuzz_terminal.h"
#include "scripted_serial_line.h"

#include <iterator>

namespace {

kc::test::SerialDevice DeviceFrom(kc::fuzz::FuzzInput& input) {
    static const QString kOperations[] = {{}, "settings", "dtr", "rts", "dsr", "send", "clear", {}};
    static constexpr int kOpenErrors[] = {kc::kSerialInvalidPort, kc::kSerialPortOpen,
                                          kc::kSerialNotAvailable, kc::kSerialIoError};
    kc::test::SerialDevice device;
    const uint8_t behaviour = input.byte();
    device.dsr = (behaviour & 1) != 0;
    device.failingOperation = kOperations[(behaviour >> 1) & 7];
    const uint8_t open = input.byte();
    device.openError = open < 0xF0 ? kc::kSerialNoError : kOpenErrors[open % std::size(kOpenErrors)];
    device.pnpFromRtsRise = 1 + input.byte() % 3;
    for (int chunk = input.byte() % 4; chunk > 0; --chunk)
        device.pnpChunks.append(input.bytes(input.byte()));
    device.answer = [&input](const QString&, const QByteArray&) { return input.bytes(input.byte()); };
    return device;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    kc::fuzz::FuzzBench bench;
    const uint8_t setup = input.byte();
    const uint16_t pn = uint16_t(1 + (setup >> 2) % 6);
    kc::test::ScriptedSerialLine line;
    line.devices[pn] = DeviceFrom(input);
    kc::fuzz::FuzzTerminal terminal(bench.api, input);
    switch (setup & 3) {
    case 0:
        static_cast<void>(kc::ProbeBaudRate(line, bench.pump, bench.state.tables, pn));
        break;
    case 1:
        static_cast<void>(kc::ProbeSerialPnp(line, bench.pump, pn));
        break;
    default:
        kc::TestPort(bench.ctx, line, pn);
        break;
    }
    return 0;
}

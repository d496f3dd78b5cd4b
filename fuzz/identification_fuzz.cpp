// SPDX-License-Identifier: Apache-2.0
// The identification of the terminal on an open session, every answer of
// the terminal from the input (see FuzzTerminal). First byte: the port
// (COM, further port, USB device or another number); the answers follow,
// the first one to CT_init.
#include "discovery/identify_terminal.h"
#include "fuzz_bench.h"
#include "fuzz_terminal.h"

#include <iterator>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static constexpr uint16_t kPorts[] = {1, 2, 3, 4, 5, 9, 0x2000, 0x2001, 0x2100};
    kc::fuzz::FuzzInput input(data, size);
    kc::fuzz::FuzzBench bench;
    const uint16_t pn = kPorts[input.byte() % std::size(kPorts)];
    kc::fuzz::FuzzTerminal terminal(bench.api, input);
    if (bench.session.OpenTerminal(pn) == OK) {
        static_cast<void>(kc::IdentifyTerminal(bench.session, bench.state.tables, pn));
        static_cast<void>(bench.session.CloseTerminal());
    }
    return 0;
}

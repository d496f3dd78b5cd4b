// SPDX-License-Identifier: Apache-2.0
// The card read driver against a fake terminal library whose every answer
// comes from the input (see FuzzTerminal). First byte: bit 0 presets a
// handheld, bit 1 chooses port 2 instead of 1; the answers follow.
#include "cards/read_insurance_card.h"
#include "fuzz_bench.h"
#include "fuzz_terminal.h"

constexpr int kRunCap = 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    kc::fuzz::FuzzBench bench;
    const uint8_t setup = input.byte();
    const uint16_t pn = (setup & 2) ? 2 : 1;
    bench.state.SelectedPort = pn;
    bench.state.tables.terminal[kc::SlotOfPort(pn)].IsMobile = (setup & 1) != 0;

    kc::fuzz::FuzzTerminal terminal(bench.api, input);
    for (int run = 0; run < kRunCap && !terminal.exhausted(); ++run)
        if (kc::ReadInsuranceCard(bench.ctx, pn) != kc::ReadResult::TryAgain)
            break;
    return 0;
}

// SPDX-License-Identifier: Apache-2.0
// The KVK record parser on the input as upper-case hex text. The first byte
// chooses a stationary (even) or a handheld (odd) terminal.
#include "cards/kvk_record.h"
#include "fuzz_bench.h"
#include "fuzz_input.h"
#include "terminal/hex_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    kc::fuzz::FuzzBench bench;
    const int slot = 1;
    bench.state.SelectedPort = 1;
    bench.state.tables.terminal[slot].IsMobile = (input.byte() & 1) != 0;
    // Only crashes, hangs and leaks count here, not whether the record was taken.
    static_cast<void>(kc::ParseKvkRecord(bench.ctx, slot, kc::BytesToHex(input.rest())));
    return 0;
}

// SPDX-License-Identifier: Apache-2.0
// The card read driver against a fake terminal library whose every answer
// comes from the input. First byte: bit 0 presets a handheld, bit 1 chooses
// port 2 instead of 1. Then per call: a code byte (values from 0xF0 on are
// library errors), the sad byte, a length byte n (0xFF: a 16-bit length
// follows) and n response bytes, and a byte that reports a different lenr
// when odd (a 16-bit lenr follows). The calls are capped, so a person who
// keeps pressing "try again" cannot make an input run forever.
#include "cards/read_insurance_card.h"
#include "fuzz_bench.h"
#include "fuzz_input.h"
#include "terminal/ctapi.h"

namespace {

constexpr int kCallCap = 200;
constexpr int kRunCap = 20;

int8_t CodeOf(uint8_t byte) {
    static constexpr int8_t kErrors[] = {ERR_INVALID, ERR_CT, ERR_TRANS, ERR_MEMORY, ERR_HOST, ERR_HTSI};
    return byte < 0xF0 ? int8_t(0) : kErrors[(byte - 0xF0) % std::size(kErrors)];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    kc::fuzz::FuzzBench bench;
    const uint8_t setup = input.byte();
    const uint16_t pn = (setup & 2) ? 2 : 1;
    bench.state.SelectedPort = pn;
    bench.state.tables.terminal[kc::SlotOfPort(pn)].IsMobile = (setup & 1) != 0;

    int calls = 0;
    bench.api.onInit = [&](uint16_t) {
        return ++calls > kCallCap || input.empty() ? int8_t(ERR_TRANS) : CodeOf(input.byte());
    };
    bench.api.onData = [&](uint8_t, const QByteArray&) {
        kc::test::FakeCtApi::Answer answer;
        if (++calls > kCallCap || input.empty()) {
            answer.code = ERR_TRANS;
            return answer;
        }
        answer.code = CodeOf(input.byte());
        answer.sad = input.byte();
        const uint8_t shortLength = input.byte();
        answer.response = input.bytes(shortLength == 0xFF ? input.word() : shortLength);
        if (input.byte() & 1)
            answer.reportedLength = input.word();
        return answer;
    };
    for (int run = 0; run < kRunCap && calls <= kCallCap; ++run)
        if (kc::ReadInsuranceCard(bench.ctx, pn) != kc::ReadResult::TryAgain)
            break;
    return 0;
}

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fake_ctapi.h"
#include "fuzz_input.h"
#include "terminal/ctapi.h"

#include <iterator>

namespace kc::fuzz {

// A terminal library whose every answer comes from the input. CT_init takes
// a code byte. Each command takes a code byte (values from 0xF0 on are
// library errors), the sad byte, a length byte n (0xFF: a 16-bit length
// follows) and n response bytes, and a byte that reports a different lenr
// when odd (a 16-bit lenr follows). The calls are capped, so a person who
// keeps pressing "try again" cannot make an input run forever; past the cap
// or the input's end every call fails with ERR_TRANS.
class FuzzTerminal {
  public:
    static constexpr int kCallCap = 200;

    FuzzTerminal(test::FakeCtApi& api, FuzzInput& input) : input_(input) {
        api.onInit = [this](uint16_t) { return next() ? CodeOf(input_.byte()) : int8_t(ERR_TRANS); };
        api.onData = [this](uint8_t, const QByteArray&) { return answer(); };
    }
    FuzzTerminal(const FuzzTerminal&) = delete;
    FuzzTerminal& operator=(const FuzzTerminal&) = delete;

    bool exhausted() const { return calls_ > kCallCap; }

  private:
    static int8_t CodeOf(uint8_t byte) {
        static constexpr int8_t kErrors[] = {ERR_INVALID, ERR_CT, ERR_TRANS, ERR_MEMORY, ERR_HOST, ERR_HTSI};
        return byte < 0xF0 ? int8_t(0) : kErrors[(byte - 0xF0) % std::size(kErrors)];
    }

    bool next() { return ++calls_ <= kCallCap && !input_.empty(); }

    test::FakeCtApi::Answer answer() {
        test::FakeCtApi::Answer answer;
        if (!next()) {
            answer.code = ERR_TRANS;
            return answer;
        }
        answer.code = CodeOf(input_.byte());
        answer.sad = input_.byte();
        const uint8_t shortLength = input_.byte();
        answer.response = input_.bytes(shortLength == 0xFF ? input_.word() : shortLength);
        if (input_.byte() & 1)
            answer.reportedLength = input_.word();
        return answer;
    }

    FuzzInput& input_;
    int calls_ = 0;
};

} // namespace kc::fuzz

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fake_context.h"

#include <vector>

namespace kc::fuzz {

// Everything a flow needs, fresh for each input: the terminal is a fake
// library, every box gets its default button, a library fault that would end
// the program is only recorded.
struct FuzzBench : test::FakeContext {
    FuzzBench() {
        session.setFatalExit([this](int exitStatus) { fatalExits.push_back(exitStatus); });
    }

    std::vector<int> fatalExits;
};

} // namespace kc::fuzz

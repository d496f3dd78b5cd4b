// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <optional>

namespace kc {

// How many readers pcscd lists, asked through the PC/SC client library
// (loaded at run time, so the program needs no PC/SC to start). nullopt when
// no client library is installed, no pcscd answers, or none answers within
// the limit: a pcscd that accepts and then stays silent cannot hold the caller.
[[nodiscard]] std::optional<int>
CountPcscReaders(std::chrono::milliseconds limit = std::chrono::milliseconds(1500));

} // namespace kc

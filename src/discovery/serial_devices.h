// SPDX-License-Identifier: Apache-2.0
#pragma once

namespace kc {

// How many serial devices the system shows (ports with hardware behind them,
// USB serial adapters); a terminal on one of them needs the serial library.
[[nodiscard]] int CountSerialDevices();

} // namespace kc

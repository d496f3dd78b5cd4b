// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kc::pcsc {

// The reader behind CT-API port number 0x2000 + n: the (n+1)-th reader by
// name, a stable order where pcscd's own follows the order of plugging in.
// nullopt for port numbers outside 0x2000 to 0x20FF and for n past the list.
[[nodiscard]] std::optional<std::string> ReaderForPort(uint16_t pn, std::vector<std::string> readers);

// Whether pn is a port number this library serves at all.
[[nodiscard]] bool IsPcscPort(uint16_t pn);

} // namespace kc::pcsc

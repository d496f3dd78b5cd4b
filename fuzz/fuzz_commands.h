// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fuzz_input.h"

#include <vector>

namespace kc::fuzz {

// A CT_data call taken from the input: dad, a 16-bit lenr, a length byte and the command.
struct FuzzCommand {
    uint8_t dad = 0;
    uint16_t lenr = 0;
    QByteArray bytes;
};

inline std::vector<FuzzCommand> ReadCommands(FuzzInput& input, std::size_t count) {
    std::vector<FuzzCommand> commands(count);
    for (FuzzCommand& command : commands) {
        command.dad = input.byte();
        command.lenr = input.word();
        command.bytes = input.bytes(input.byte());
    }
    return commands;
}

// Hands every command to data as CT_data would get it, with the host as sender.
template <typename Data> void SendCommands(const std::vector<FuzzCommand>& commands, Data&& data) {
    std::vector<uint8_t> response(0x10000);
    for (const FuzzCommand& command : commands) {
        uint8_t dad = command.dad;
        uint8_t sad = 2;
        uint16_t lenr = command.lenr;
        static_cast<void>(data(&dad, &sad, uint16_t(command.bytes.size()),
                               reinterpret_cast<const uint8_t*>(command.bytes.constData()), &lenr,
                               response.data()));
    }
}

} // namespace kc::fuzz

// SPDX-License-Identifier: Apache-2.0
#include "simulated_terminal.h"

namespace kc::sim::serial {
namespace {

constexpr uint16_t kCtn = 1;

} // namespace

bool SimulatedTerminal::restart() {
    if (simulator_.isOpen(kCtn))
        simulator_.close(kCtn);
    return simulator_.init(kCtn, pn_) == 0;
}

std::optional<TerminalBehaviour::Answer> SimulatedTerminal::execute(uint8_t destination,
                                                                    const Bytes& command) {
    if (!simulator_.isOpen(kCtn) || command.empty() || command.size() > 0xFFFF)
        return std::nullopt;
    Bytes response(0xFFFF);
    uint8_t dad = destination;
    uint8_t sad = 2;
    uint16_t length = uint16_t(response.size());
    // A CT-API code has no form on the line: the terminal just does not answer.
    if (simulator_.data(kCtn, &dad, &sad, uint16_t(command.size()), command.data(), &length,
                        response.data()) != 0)
        return std::nullopt;
    response.resize(length);
    return Answer{std::move(response), sad};
}

} // namespace kc::sim::serial

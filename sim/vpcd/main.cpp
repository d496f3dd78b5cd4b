// SPDX-License-Identifier: Apache-2.0
// mktsim-vpcd: plays a scenario's card as the card in a virtual PC/SC
// reader. It connects to pcscd's vpcd driver on 127.0.0.1 (a connection is a
// card inserted, closing it a card removed) and answers the reader's power,
// reset and answer-to-reset requests and the card commands.
#include "virtual_card.h"
#include "vpcd_link.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

using kc::sim::Simulator;
using kc::sim::TerminalSetup;
using kc::sim::vpcd::VirtualCard;
using kc::sim::vpcd::VpcdLink;

constexpr uint16_t kVpcdFirstPort = 35963;
constexpr auto kRetryPause = std::chrono::milliseconds(100);

int Usage() {
    std::fprintf(stderr,
                 "usage: mktsim-vpcd [--port N] [--terminal NAME] [SCENARIO]\n"
                 "  --port N         the vpcd reader's TCP port on 127.0.0.1 (default 35963)\n"
                 "  --terminal NAME  the scenario terminal whose card is played (default: the\n"
                 "                   first one with a card)\n"
                 "  SCENARIO         scenario file (default: MKTSIM_SCENARIO, else the built-in one)\n");
    return 64;
}

[[noreturn]] void StayOutForGood() {
    for (;;)
        pause();
}

const TerminalSetup* ChooseTerminal(const Simulator& simulator, std::string_view name) {
    const auto& terminals = simulator.scenario().terminals;
    for (const auto& terminal : terminals) {
        if (name.empty() ? terminal.card.type != kc::sim::CardType::None : terminal.name == name)
            return &terminal;
    }
    return name.empty() && !terminals.empty() ? &terminals.front() : nullptr;
}

// Serves one insertion of the card; true when the card left on its own.
bool ServeInsertion(VpcdLink& link, VirtualCard& card) {
    kc::sim::Bytes message;
    while (link.receive(message)) {
        const VirtualCard::Handled handled = card.handle(message);
        if (handled.reply && !link.send(*handled.reply))
            return false;
        if (handled.leave)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    uint16_t port = kVpcdFirstPort;
    std::string terminalName;
    std::string scenarioPath;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--port" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), port);
            if (error != std::errc() || end != value.data() + value.size() || port == 0)
                return Usage();
        } else if (arg == "--terminal" && i + 1 < argc) {
            terminalName = argv[++i];
        } else if (!arg.starts_with("-") && scenarioPath.empty()) {
            scenarioPath = arg;
        } else {
            return Usage();
        }
    }

    auto loaded = scenarioPath.empty() ? kc::sim::Loaded<Simulator>{Simulator::fromEnvironment(), {}}
                                       : Simulator::fromFile(scenarioPath);
    if (!loaded || !loaded->loadError().empty()) {
        std::fprintf(stderr, "mktsim-vpcd: %s\n",
                     loaded ? loaded->loadError().c_str() : loaded.error.c_str());
        return 2;
    }
    const TerminalSetup* terminal = ChooseTerminal(*loaded, terminalName);
    if (!terminal) {
        std::fprintf(stderr, "mktsim-vpcd: the scenario has no terminal %s\n", terminalName.c_str());
        return 2;
    }
    const TerminalSetup chosen = *terminal;
    VirtualCard card(std::move(*loaded), chosen);
    if (!card.hasCard())
        StayOutForGood();

    for (;;) {
        auto link = VpcdLink::connect(port);
        if (!link) {
            std::this_thread::sleep_for(kRetryPause);
            continue;
        }
        const bool left = ServeInsertion(*link, card);
        link.reset();
        if (!left) {
            // pcscd went away; it may come back.
            std::this_thread::sleep_for(kRetryPause);
            continue;
        }
        if (!card.backAfterMs())
            StayOutForGood();
        std::this_thread::sleep_for(std::chrono::milliseconds(*card.backAfterMs()));
    }
}

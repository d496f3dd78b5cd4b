// SPDX-License-Identifier: Apache-2.0
#include "sim/simulator.h"

#include "ctapi/return_codes.h"
#include "sequence.h"
#include "terminal.h"
#include "trace_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <thread>

namespace kc::sim {

namespace {

constexpr uint8_t kHost = 2;

// A port opened without a terminal behind it has terminal == nullptr.
struct Session {
    uint16_t pn = 0;
    Terminal* terminal = nullptr;
};

void SpendLineTime(int32_t baud, std::size_t bytes) {
    if (baud <= 0)
        return;
    const auto micros = static_cast<long long>(bytes) * 11 * 1'000'000 / baud;
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

} // namespace

struct Simulator::Impl {
    Scenario scenario;
    std::vector<std::unique_ptr<Terminal>> terminals;
    std::map<uint16_t, Terminal*> terminalByPort;
    std::map<uint16_t, Sequence<int8_t>> portResults;
    std::map<uint16_t, int8_t> forcedPortResults;
    std::map<uint16_t, Session> sessions; // by ctn
    std::vector<Exchange> exchanges;
    bool logging = true;
    TraceWriter trace;
    std::string loadError;

    explicit Impl(Scenario loaded) : scenario(std::move(loaded)) {
        for (const auto& setup : scenario.terminals) {
            terminals.push_back(std::make_unique<Terminal>(setup));
            for (uint16_t port : setup.ports)
                terminalByPort[port] = terminals.back().get();
        }
        for (const auto& [port, codes] : scenario.portResults)
            portResults.emplace(port, Sequence<int8_t>(codes));
    }

    Terminal* terminalOn(uint16_t pn) const {
        const auto found = terminalByPort.find(pn);
        return found == terminalByPort.end() ? nullptr : found->second;
    }

    bool inSession(const Terminal* terminal) const {
        return std::ranges::any_of(
            sessions, [terminal](const auto& entry) { return entry.second.terminal == terminal; });
    }

    int8_t open(uint16_t ctn, uint16_t pn) {
        if (!loadError.empty())
            return ERR_HTSI;
        if (sessions.contains(ctn))
            return ERR_CT;
        Terminal* terminal = terminalOn(pn);
        if (terminal && inSession(terminal))
            return ERR_CT;
        int8_t code = scenario.defaultPortResult;
        if (const auto forced = forcedPortResults.find(pn); forced != forcedPortResults.end())
            code = forced->second;
        else if (terminal)
            code = terminal->nextInitResult();
        else if (auto listed = portResults.find(pn); listed != portResults.end())
            code = *listed->second.next();
        if (code == OK)
            sessions[ctn] = Session{pn, terminal};
        return code;
    }

    struct Delivery {
        int8_t code = OK;
        std::size_t written = 0; // bytes put into the caller's buffer
    };

    // Writes the reply into the caller's buffer under the lenr rule.
    static Delivery deliver(const Reply& reply, OversizePolicy policy, uint8_t* dad, uint8_t* sad,
                            uint16_t* lenr, uint8_t* response) {
        if (reply.code != OK)
            return {reply.code, 0};
        const std::size_t room = *lenr;
        const std::size_t size = reply.bytes.size();
        std::size_t written = size;
        if (size > room) {
            if (policy == OversizePolicy::Error)
                return {ERR_MEMORY, 0};
            written = room;
            *lenr = policy == OversizePolicy::Claim
                        ? static_cast<uint16_t>(std::min<std::size_t>(size, 0xFFFF))
                        : static_cast<uint16_t>(room);
        } else {
            *lenr = static_cast<uint16_t>(size);
        }
        if (written > 0)
            std::memcpy(response, reply.bytes.data(), written);
        *dad = kHost;
        *sad = reply.sad;
        return {OK, written};
    }

    // Hex texts cost time on long benchmark runs; build them only when wanted.
    bool recording() const { return logging || trace.enabled(); }

    void record(Exchange exchange, uint8_t sadIn) {
        trace.data(exchange, sadIn);
        if (logging)
            exchanges.push_back(std::move(exchange));
    }
};

Simulator::Simulator(Scenario scenario) : impl_(std::make_unique<Impl>(std::move(scenario))) {}
Simulator::~Simulator() = default;
Simulator::Simulator(Simulator&&) noexcept = default;
Simulator& Simulator::operator=(Simulator&&) noexcept = default;

Loaded<Simulator> Simulator::fromText(std::string_view text, const std::string& baseDir) {
    auto scenario = Scenario::fromText(text, baseDir);
    if (!scenario)
        return {std::nullopt, scenario.error};
    return {Simulator(std::move(*scenario)), {}};
}

Loaded<Simulator> Simulator::fromFile(const std::string& path) {
    auto scenario = Scenario::fromFile(path);
    if (!scenario)
        return {std::nullopt, scenario.error};
    return {Simulator(std::move(*scenario)), {}};
}

Simulator Simulator::builtIn() {
    return Simulator(Scenario::builtIn());
}

Simulator Simulator::fromEnvironment() {
    const char* scenarioPath = std::getenv("MKTSIM_SCENARIO");
    const char* tracePath = std::getenv("MKTSIM_TRACE");
    std::string error;
    Simulator simulator = [&] {
        if (!scenarioPath || !*scenarioPath)
            return builtIn();
        auto loaded = fromFile(scenarioPath);
        if (loaded)
            return std::move(*loaded);
        error = loaded.error;
        return Simulator(Scenario{});
    }();
    if (tracePath && *tracePath)
        simulator.setTraceFile(tracePath);
    if (!error.empty()) {
        simulator.impl_->loadError = error;
        simulator.impl_->trace.scenarioError(error);
        std::cerr << "mktsim: " << error << '\n';
    }
    return simulator;
}

int8_t Simulator::init(uint16_t ctn, uint16_t pn) {
    const int8_t code = impl_->open(ctn, pn);
    impl_->trace.init(ctn, pn, code);
    return code;
}

int8_t Simulator::data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                       uint16_t* lenr, uint8_t* response) {
    const uint8_t dadIn = dad ? *dad : 0;
    const uint8_t sadIn = sad ? *sad : 0;
    const uint16_t capacity = lenr ? *lenr : 0;
    const auto session = impl_->sessions.find(ctn);
    Impl::Delivery delivery{ERR_INVALID, 0};
    Reply reply;
    const bool valid = dad && sad && lenr && command && response && lenc > 0 && *dad <= 1 &&
                       session != impl_->sessions.end();
    if (valid) {
        Terminal* terminal = session->second.terminal;
        reply = terminal ? terminal->handle(*dad, std::span(command, lenc)) : Reply{ERR_TRANS, {}, 1};
        const OversizePolicy policy = terminal ? terminal->setup().oversize : OversizePolicy::Error;
        delivery = Impl::deliver(reply, policy, dad, sad, lenr, response);
        if (terminal)
            SpendLineTime(terminal->setup().lineSpeed, lenc + delivery.written);
    }
    if (impl_->recording()) {
        Exchange exchange;
        exchange.ctn = ctn;
        exchange.dad = dadIn;
        exchange.capacity = capacity;
        exchange.command = command ? ToHex(std::span(command, lenc)) : std::string();
        exchange.code = delivery.code;
        exchange.sad = delivery.code == OK ? reply.sad : sadIn;
        if (delivery.code == OK)
            exchange.response = ToHex(std::span(reply.bytes.data(), delivery.written));
        impl_->record(std::move(exchange), sadIn);
    }
    return delivery.code;
}

int8_t Simulator::close(uint16_t ctn) {
    int8_t code = ERR_INVALID;
    if (const auto session = impl_->sessions.find(ctn); session != impl_->sessions.end()) {
        code = session->second.terminal ? session->second.terminal->setup().closeResult : int8_t{OK};
        impl_->sessions.erase(session);
    }
    impl_->trace.close(ctn, code);
    return code;
}

int32_t Simulator::getBaudrate(uint16_t ctn, int32_t* baud) {
    int32_t code = ERR_INVALID;
    const auto session = impl_->sessions.find(ctn);
    if (baud && session != impl_->sessions.end() && session->second.terminal) {
        if (const auto rate = session->second.terminal->setup().baudrate) {
            *baud = *rate;
            code = OK;
        }
    }
    impl_->trace.getBaudrate(ctn, code, baud ? *baud : 0);
    return code;
}

Transmitted Simulator::transmit(uint16_t ctn, uint8_t dad, std::string_view commandHex, uint16_t capacity) {
    const Bytes command = FromHex(commandHex).value_or(Bytes{});
    // Never a null buffer, even for no room at all.
    std::vector<uint8_t> buffer(std::max<std::size_t>(capacity, 1));
    uint8_t sad = kHost;
    uint16_t lenr = capacity;
    Transmitted result;
    result.code =
        data(ctn, &dad, &sad, static_cast<uint16_t>(command.size()), command.data(), &lenr, buffer.data());
    if (result.code == OK) {
        result.sad = sad;
        result.response = ToHex(std::span(buffer.data(), std::min<std::size_t>(lenr, capacity)));
    }
    return result;
}

const std::vector<Exchange>& Simulator::exchanges() const {
    return impl_->exchanges;
}

void Simulator::clearExchanges() {
    impl_->exchanges.clear();
}

void Simulator::setExchangeLogging(bool on) {
    impl_->logging = on;
}

void Simulator::setTraceFile(const std::string& path) {
    impl_->trace.open(path);
}

void Simulator::setPortResult(uint16_t pn, int8_t code) {
    impl_->forcedPortResults[pn] = code;
}

bool Simulator::cardPresent(uint16_t pn) const {
    const Terminal* terminal = impl_->terminalOn(pn);
    return terminal && terminal->cardPresent();
}

bool Simulator::isOpen(uint16_t ctn) const {
    return impl_->sessions.contains(ctn);
}

const std::string& Simulator::loadError() const {
    return impl_->loadError;
}

const Scenario& Simulator::scenario() const {
    return impl_->scenario;
}

} // namespace kc::sim

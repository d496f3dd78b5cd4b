// SPDX-License-Identifier: Apache-2.0
#include "serial_emulator.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kc::sim::serial {
namespace {

using Clock = std::chrono::steady_clock;

// How often the modem lines are looked at while the line is quiet.
constexpr int kPollMs = 10;
// T=1 goes at the terminal's speed with 8 data bits and even parity; the
// plug-and-play identifier at 1200 bit/s with 7 data bits and no parity.
constexpr uint32_t kT1Framing = CS8 | PARENB;
constexpr int32_t kPnpSpeed = 1200;
constexpr uint32_t kPnpFraming = CS7;
// A block whose next byte does not come within this time is dropped.
constexpr auto kCharacterWait = std::chrono::milliseconds(200);
// A powered terminal on a full cable: data set ready, clear to send, carrier.
constexpr uint32_t kDeviceLines = TIOCM_DSR | TIOCM_CTS | TIOCM_CAR;

void PrintFrame(char direction, const kc::serial::Bytes& frame) {
    std::fprintf(stderr, "%c", direction);
    for (uint8_t byte : frame)
        std::fprintf(stderr, " %02X", byte);
    std::fprintf(stderr, "\n");
}

} // namespace

std::optional<Simulator> LoadSimulator(const std::string& scenario, std::string& error) {
    if (scenario.empty()) {
        Simulator simulator = Simulator::fromEnvironment();
        if (!simulator.loadError().empty()) {
            error = simulator.loadError();
            return std::nullopt;
        }
        return simulator;
    }
    auto loaded = Simulator::fromFile(scenario);
    if (!loaded) {
        error = loaded.error;
        return std::nullopt;
    }
    return std::move(*loaded);
}

SerialEmulator::~SerialEmulator() {
    if (!options_.link.empty())
        ::unlink(options_.link.c_str());
    if (signals_)
        ::unlink(options_.lineSignals.c_str());
}

bool SerialEmulator::start(const EmulatorOptions& options, std::string& error) {
    options_ = options;
    simulator_ = LoadSimulator(options.scenario, error);
    if (!simulator_)
        return false;
    simulator_->setExchangeLogging(false);
    if (!options.trace.empty())
        simulator_->setTraceFile(options.trace);
    const Scenario& scenario = simulator_->scenario();
    const bool anyTerminal = !scenario.terminals.empty() && !scenario.terminals.front().ports.empty();
    const uint16_t pn = options.port.value_or(anyTerminal ? scenario.terminals.front().ports.front() : 1);
    std::optional<int32_t> scenarioSpeed;
    for (const TerminalSetup& terminal : scenario.terminals)
        for (uint16_t port : terminal.ports)
            if (port == pn)
                scenarioSpeed = terminal.baudrate;
    speed_ = options.speed.value_or(scenarioSpeed.value_or(9600));
    if (!ctapi::IsLineSpeed(speed_)) {
        error = "unsupported line speed " + std::to_string(speed_);
        return false;
    }

    for (const FaultSwitch& fault : options.faults)
        faults_.add(fault);
    behaviour_ = std::make_unique<SimulatedTerminal>(*simulator_, pn);
    terminal_ = std::make_unique<T1Terminal>(*behaviour_, faults_, options.wtxDelay);
    pnp_ = std::make_unique<PnpResponder>(options.pnpId);

    if (!pty_.create(error))
        return false;
    if (!options.link.empty()) {
        ::unlink(options.link.c_str());
        if (::symlink(pty_.slavePath().c_str(), options.link.c_str()) != 0) {
            error = "cannot link " + options.link;
            options_.link.clear();
            return false;
        }
    }
    if (!options.lineSignals.empty()) {
        signals_ = SharedLineSignals::create(options.lineSignals, pty_.slaveDevice(), error);
        if (!signals_)
            return false;
        signals_->setDeviceLines(kDeviceLines);
    }
    return true;
}

bool SerialEmulator::hostMatches(int32_t speed, uint32_t framing) const {
    const PtyDevice::HostSide host = pty_.hostSide();
    if (!host.raw || host.speed != speed)
        return false;
    const auto hostFraming = signals_ ? signals_->framing() : std::nullopt;
    return !hostFraming || *hostFraming == framing;
}

void SerialEmulator::send(const kc::serial::Bytes& bytes, char direction) {
    if (options_.verbose)
        PrintFrame(direction, bytes);
    pty_.send(bytes.data(), bytes.size());
    bytesToHost_ += bytes.size();
}

// False when the terminal hung up.
bool SerialEmulator::react(const Reaction& reaction, const volatile std::sig_atomic_t& stop) {
    const auto sendAt = Clock::now() + reaction.delay;
    while (!stop && Clock::now() < sendAt)
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    for (const auto& frame : reaction.frames)
        send(frame, '<');
    if (!reaction.hangUp)
        return true;
    if (options_.verbose)
        std::fprintf(stderr, "hang-up\n");
    pty_.hangUp();
    return false;
}

void SerialEmulator::run(const volatile std::sig_atomic_t& stop) {
    auto lastByte = Clock::now();
    uint8_t buffer[512];
    while (!stop) {
        pollfd entry{pty_.master(), POLLIN, 0};
        const int ready = ::poll(&entry, 1, kPollMs);
        const auto now = Clock::now();
        if (ready > 0 && (entry.revents & POLLIN)) {
            const ssize_t got = ::read(pty_.master(), buffer, sizeof buffer);
            if (got > 0) {
                bytesFromHost_ += uint64_t(got);
                lastByte = now;
                // At a speed or framing other than the terminal's, what arrives is noise.
                if (!hostMatches(speed_, kT1Framing)) {
                    assembler_.reset();
                    continue;
                }
                for (ssize_t i = 0; i < got; ++i) {
                    if (!assembler_.push(buffer[i]))
                        continue;
                    const kc::serial::Bytes frame = assembler_.take();
                    if (options_.verbose)
                        PrintFrame('>', frame);
                    if (!react(terminal_->receive(frame), stop))
                        return;
                }
            }
        } else if (ready < 0 && errno != EINTR) {
            return;
        }
        if (!assembler_.empty() && now - lastByte > kCharacterWait)
            assembler_.reset();
        if (signals_)
            if (const auto identifier =
                    pnp_->onLines(signals_->hostLines(), hostMatches(kPnpSpeed, kPnpFraming), now))
                send(*identifier, '<');
    }
}

} // namespace kc::sim::serial

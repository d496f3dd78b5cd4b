// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/scenario.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kc::sim {

// One CT_data call as the terminal saw it.
struct Exchange {
    uint16_t ctn = 0;
    uint8_t dad = 0;       // as passed in: 0 card, 1 terminal
    uint16_t capacity = 0; // lenr as passed in
    std::string command;   // upper-case hex
    std::string response;  // upper-case hex of the bytes written (empty on error)
    uint8_t sad = 0;       // who answered: 1 terminal, 0 card (2 when nothing came back)
    int code = 0;          // CT-API return code

    // Last four hex digits of the response ("9000"), empty when shorter.
    [[nodiscard]] std::string sw() const {
        return response.size() >= 4 ? response.substr(response.size() - 4) : std::string();
    }
};

// The result of transmit(): the answer as the program's session sees it.
struct Transmitted {
    int code = 0;
    uint8_t sad = 2;
    std::string response; // upper-case hex, SW last

    [[nodiscard]] std::string sw() const {
        return response.size() >= 4 ? response.substr(response.size() - 4) : std::string();
    }
};

// The terminal simulator: plays the terminals of a scenario behind the four
// CT-API calls, keeping their state (inserted cards, erased records, override
// sequences) for its whole life. Not thread-safe; the exported library puts a
// lock around it.
class Simulator {
  public:
    explicit Simulator(Scenario scenario);
    ~Simulator();
    Simulator(Simulator&&) noexcept;
    Simulator& operator=(Simulator&&) noexcept;

    // baseDir: the folder that @files are relative to.
    static Loaded<Simulator> fromText(std::string_view text, const std::string& baseDir);
    static Loaded<Simulator> fromFile(const std::string& path);
    // The built-in scenario: a stationary terminal on pn 8192 with an eGK.
    static Simulator builtIn();
    // What the exported library plays: the file in MKTSIM_SCENARIO, else the
    // built-in scenario; traces to MKTSIM_TRACE. A scenario that does not
    // load gives a simulator that answers every CT_init with -128 and reports
    // the reason in loadError() (and on stderr and the trace).
    static Simulator fromEnvironment();

    // The four CT-API calls, with the library's semantics (SCENARIOS.md).
    int8_t init(uint16_t ctn, uint16_t pn);
    [[nodiscard]] int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                              uint16_t* lenr, uint8_t* response);
    int8_t close(uint16_t ctn);
    int32_t getBaudrate(uint16_t ctn, int32_t* baud);

    // data() with a hex command (blanks allowed) and a response room of capacity bytes.
    Transmitted transmit(uint16_t ctn, uint8_t dad, std::string_view commandHex, uint16_t capacity = 4098);

    // Every CT_data call so far, in order.
    const std::vector<Exchange>& exchanges() const;
    void clearExchanges();
    // Keeping the exchange log costs memory on long runs; the library turns it off.
    void setExchangeLogging(bool on);

    // Appends a line per call to that file; an empty path turns it off.
    void setTraceFile(const std::string& path);

    // From now on CT_init on pn returns code (0 reopens a terminal there),
    // e.g. a terminal switched off after the scan.
    void setPortResult(uint16_t pn, int8_t code);
    // True when the terminal on pn has a card (or stored record) in its slot.
    [[nodiscard]] bool cardPresent(uint16_t pn) const;
    [[nodiscard]] bool isOpen(uint16_t ctn) const;
    const std::string& loadError() const;
    const Scenario& scenario() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kc::sim

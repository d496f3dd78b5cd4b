// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/simulator.h"

#include "ctapi/trace_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace kc::sim {

// Appends one line per CT-API call to a file (format in SCENARIOS.md).
class TraceWriter {
  public:
    void open(const std::string& path);
    [[nodiscard]] bool enabled() const { return out_ && out_->on(); }

    void init(uint16_t ctn, uint16_t pn, int code);
    void data(const Exchange& exchange, uint8_t sadIn);
    void close(uint16_t ctn, int code);
    void getBaudrate(uint16_t ctn, int code, int32_t baud);
    void scenarioError(std::string_view message);

  private:
    void write(const std::string& line);

    std::optional<ctapi::TraceFile> out_;
};

} // namespace kc::sim

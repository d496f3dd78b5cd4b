// SPDX-License-Identifier: Apache-2.0
#include "trace_writer.h"

namespace kc::sim {

namespace {

std::string Number(int value) {
    return std::to_string(value);
}

} // namespace

void TraceWriter::open(const std::string& path) {
    out_.reset();
    out_.emplace(path);
}

void TraceWriter::init(uint16_t ctn, uint16_t pn, int code) {
    write("init ctn=" + Number(ctn) + " pn=" + Number(pn) + " -> " + Number(code));
}

void TraceWriter::data(const Exchange& exchange, uint8_t sadIn) {
    write("data ctn=" + Number(exchange.ctn) + " dad=" + Number(exchange.dad) + " sad=" + Number(sadIn) +
          " lenr=" + Number(exchange.capacity) + " cmd=" + exchange.command + " -> resp=" +
          exchange.response + " sad=" + Number(exchange.sad) + " code=" + Number(exchange.code));
}

void TraceWriter::close(uint16_t ctn, int code) {
    write("close ctn=" + Number(ctn) + " -> " + Number(code));
}

void TraceWriter::getBaudrate(uint16_t ctn, int code, int32_t baud) {
    std::string line = "get_baudrate ctn=" + Number(ctn) + " -> " + Number(code);
    if (code == 0)
        line += " baud=" + Number(baud);
    write(line);
}

void TraceWriter::scenarioError(std::string_view message) {
    write("scenario error: " + std::string(message));
}

void TraceWriter::write(const std::string& line) {
    if (out_)
        out_->writeLine(line);
}

} // namespace kc::sim

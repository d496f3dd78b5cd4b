// SPDX-License-Identifier: Apache-2.0
#include "serial/serial_terminal.h"

#include "serial/device_path.h"
#include "serial/trace.h"

#include <cstring>
#include <string>

namespace kc::serial {
namespace {

constexpr uint8_t kLargestAnswerBlock = 254;

int8_t CodeOf(OpenResult result) {
    switch (result) {
    case OpenResult::Opened:
        return OK;
    case OpenResult::Missing:
        return ERR_TRANS;
    case OpenResult::InUse:
        return ERR_HOST;
    case OpenResult::Failed:
        return ERR_HOST;
    }
    return ERR_HOST;
}

} // namespace

int8_t SerialTerminal::open(uint16_t pn) {
    std::lock_guard lock(mutex_);
    const std::string path = DevicePath(pn);
    if (path.empty())
        return ERR_INVALID;
    const OpenResult opened = line_->open(path);
    Trace("open pn=" + std::to_string(pn) + " " + path + (opened == OpenResult::Opened ? "" : " failed"));
    if (opened != OpenResult::Opened)
        return CodeOf(opened);
    for (int32_t speed : kLineSpeeds) {
        if (!line_->setSpeed(speed))
            continue;
        Trace("try " + std::to_string(speed) + " baud");
        if (host_.resynch(host_.timing().resynchWait)) {
            baud_ = speed;
            host_.negotiateInformationSize(kLargestAnswerBlock);
            return OK;
        }
    }
    line_->close();
    return ERR_TRANS;
}

int8_t SerialTerminal::data(uint8_t dad, std::span<const uint8_t> command, uint8_t& sad, uint16_t& lenr,
                            uint8_t* response) {
    std::lock_guard lock(mutex_);
    Bytes answer;
    uint8_t source = 0;
    if (!host_.transceive(dad, command, answer, source))
        return ERR_TRANS;
    if (answer.size() > lenr)
        return ERR_MEMORY;
    if (!answer.empty())
        std::memcpy(response, answer.data(), answer.size());
    lenr = uint16_t(answer.size());
    sad = source;
    return OK;
}

} // namespace kc::serial

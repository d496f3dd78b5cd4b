// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"

#include <QByteArray>
#include <functional>
#include <vector>

namespace kc::test {

// A CT-API whose answers the test writes as functions; records every call.
class FakeCtApi : public CtApi {
  public:
    struct Answer {
        int8_t code = 0;
        QByteArray response;     // bytes copied into the caller's buffer
        int reportedLength = -1; // lenr to report; -1 reports the response size
        uint8_t sad = 1;
    };

    std::function<int8_t(uint16_t pn)> onInit = [](uint16_t) { return int8_t(0); };
    std::function<Answer(uint8_t dad, const QByteArray& command)> onData = [](uint8_t, const QByteArray&) {
        return Answer{0, QByteArray("\x90\x00", 2)};
    };
    int32_t baudCode = 0;
    int32_t baudValue = 9600;
    std::function<void()> onBaud = [] {};

    int8_t init(uint16_t ctn, uint16_t pn) override;
    int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override;
    int8_t close(uint16_t ctn) override;
    int32_t getBaudrate(uint16_t ctn, int32_t* baud) override;

    std::vector<uint16_t> initPorts;
    std::vector<QByteArray> commands;
    int closes = 0;
};

} // namespace kc::test

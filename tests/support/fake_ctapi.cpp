// SPDX-License-Identifier: Apache-2.0
#include "fake_ctapi.h"

#include <algorithm>
#include <cstring>

namespace kc::test {

int8_t FakeCtApi::init(uint16_t, uint16_t pn) {
    initPorts.push_back(pn);
    return onInit(pn);
}

int8_t FakeCtApi::data(uint16_t, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                       uint8_t* response) {
    if (*sad != 2) // strict as a real library: commands come from the host
        return ERR_INVALID;
    const QByteArray cmd(reinterpret_cast<const char*>(command), lenc);
    commands.push_back(cmd);
    const Answer answer = onData(*dad, cmd);
    const auto copied = std::min<qsizetype>(answer.response.size(), *lenr);
    std::memcpy(response, answer.response.constData(), size_t(copied));
    *lenr = uint16_t(answer.reportedLength >= 0 ? answer.reportedLength : answer.response.size());
    *dad = 2;
    *sad = answer.sad;
    return answer.code;
}

int8_t FakeCtApi::close(uint16_t) {
    ++closes;
    return 0;
}

int32_t FakeCtApi::getBaudrate(uint16_t, int32_t* baud) {
    onBaud();
    if (baudCode == 0)
        *baud = baudValue;
    return baudCode;
}

} // namespace kc::test

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"
#include "terminal/ctapi_library.h"
#include "terminal/host_process.h"
#include "terminal/host_time_limits.h"

#include <QString>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace kc {

// The CT-API of a terminal library that runs in kartocheck-ctapi-host. A call
// that outlives its limit ends the helper, and so does a helper that dies or
// breaks the protocol: the call then returns a transmission error, the
// library's session is gone with the helper, and only the next CT_init starts
// a fresh one. Until then every other call fails at once.
class HostedCtApi : public CtApi {
  public:
    HostedCtApi(std::string helper, std::string library, HostTimeLimits limits);

    // Starts the helper and lets it load the library.
    LibraryFault start();

    int8_t init(uint16_t ctn, uint16_t pn) override;
    int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override;
    int8_t close(uint16_t ctn) override;
    int32_t getBaudrate(uint16_t ctn, int32_t* baud) override;

    // What went wrong with the helper since the last ask, in German; empty when nothing did.
    [[nodiscard]] QString takeLoss() { return std::exchange(loss_, QString()); }
    void setWhileWaiting(HostProcess::WhileWaiting whileWaiting) { whileWaiting_ = std::move(whileWaiting); }

  private:
    template <typename Answer>
    [[nodiscard]] std::optional<Answer> ask(std::span<const uint8_t> frame, std::chrono::milliseconds limit);
    void giveUp(const QString& loss);

    std::string helper_;
    std::string library_;
    HostTimeLimits limits_;
    HostProcess process_;
    HostProcess::WhileWaiting whileWaiting_;
    QString loss_;
};

} // namespace kc

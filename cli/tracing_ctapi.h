// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "terminal/ctapi.h"
#include "terminal/ctapi_provider.h"
#include "terminal/hosted_ctapi_provider.h"

#include <memory>

namespace kc::cli {

class TraceLog;

// Writes every CT-API call and its answer to the trace, for the service technician.
class TracingCtApi : public CtApi {
  public:
    TracingCtApi(CtApi& inner, TraceLog& trace) : inner_(inner), trace_(trace) {}

    int8_t init(uint16_t ctn, uint16_t pn) override;
    int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override;
    int8_t close(uint16_t ctn) override;
    int32_t getBaudrate(uint16_t ctn, int32_t* baud) override;

  private:
    CtApi& inner_;
    TraceLog& trace_;
};

// The library provider, with the trace put in front of the library when there is one.
class ConsoleCtApiProvider : public CtApiProvider {
  public:
    explicit ConsoleCtApiProvider(TraceLog* trace) : trace_(trace) {}
    CtApi* acquire(LibraryFault& fault) override;
    QString takeLibraryLoss() override { return library_.takeLibraryLoss(); }

  private:
    HostedCtApiProvider library_;
    TraceLog* trace_;
    std::unique_ptr<TracingCtApi> tracing_;
};

} // namespace kc::cli

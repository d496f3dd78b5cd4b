// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "reader_session.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace kc::pcsc {

// The open CT-API sessions of the process by card-terminal number. Every
// call takes one lock, so that callers on several threads take turns as a
// terminal needs them to.
class SessionTable {
  public:
    static SessionTable& Process();

    [[nodiscard]] int8_t Open(uint16_t ctn, uint16_t pn);
    [[nodiscard]] int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                              uint16_t* lenr, uint8_t* response);
    [[nodiscard]] int8_t Close(uint16_t ctn);

  private:
    [[nodiscard]] int8_t open(uint16_t ctn, uint16_t pn);

    std::mutex lock_;
    std::map<uint16_t, std::unique_ptr<ReaderSession>> sessions_;
};

} // namespace kc::pcsc

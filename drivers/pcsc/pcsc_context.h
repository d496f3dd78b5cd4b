// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <winscard.h>

namespace kc::pcsc {

// One PC/SC context with pcscd, released at the end of its life.
class PcscContext {
  public:
    // result: what SCardEstablishContext said; nullopt unless it succeeded.
    [[nodiscard]] static std::optional<PcscContext> Establish(LONG& result);

    PcscContext(PcscContext&& other) noexcept;
    PcscContext& operator=(PcscContext&& other) noexcept;
    PcscContext(const PcscContext&) = delete;
    PcscContext& operator=(const PcscContext&) = delete;
    ~PcscContext();

    SCARDCONTEXT handle() const { return context_; }

    // The readers pcscd has; no readers is success with an empty list.
    [[nodiscard]] LONG ListReaders(std::vector<std::string>& readers) const;
    // Waits at most timeout for a card in the reader (a card already there
    // counts); present tells whether one is there at the end.
    [[nodiscard]] LONG WaitForCard(const std::string& reader, std::chrono::milliseconds timeout,
                                   bool& present) const;

  private:
    explicit PcscContext(SCARDCONTEXT context) : context_(context) {}
    void release();

    SCARDCONTEXT context_ = 0;
    bool owned_ = true;
};

} // namespace kc::pcsc

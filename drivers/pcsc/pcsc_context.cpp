// SPDX-License-Identifier: Apache-2.0
#include "pcsc_context.h"

#include "pcsc_functions.h"
#include "pcsc_trace.h"

#include <algorithm>

namespace kc::pcsc {

std::optional<PcscContext> PcscContext::Establish(LONG& result) {
    SCARDCONTEXT context = 0;
    result = Pcsc().establishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context);
    TracePcscCall("SCardEstablishContext(system)", result);
    if (result != SCARD_S_SUCCESS)
        return std::nullopt;
    return PcscContext(context);
}

PcscContext::PcscContext(PcscContext&& other) noexcept : context_(other.context_), owned_(other.owned_) {
    other.owned_ = false;
}

PcscContext& PcscContext::operator=(PcscContext&& other) noexcept {
    if (this != &other) {
        release();
        context_ = other.context_;
        owned_ = other.owned_;
        other.owned_ = false;
    }
    return *this;
}

PcscContext::~PcscContext() {
    release();
}

void PcscContext::release() {
    if (!owned_)
        return;
    owned_ = false;
    TracePcscCall("SCardReleaseContext()", Pcsc().releaseContext(context_));
}

LONG PcscContext::ListReaders(std::vector<std::string>& readers) const {
    readers.clear();
    // pcscd may attach a reader between the size query and the read; then ask again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD length = 0;
        LONG result = Pcsc().listReaders(context_, nullptr, nullptr, &length);
        if (result == SCARD_S_SUCCESS) {
            std::string multiString(length, '\0');
            result = Pcsc().listReaders(context_, nullptr, multiString.data(), &length);
            if (result == SCARD_E_INSUFFICIENT_BUFFER)
                continue;
            if (result == SCARD_S_SUCCESS) {
                for (std::size_t at = 0; at < multiString.size() && multiString[at] != '\0';) {
                    const std::size_t end = multiString.find('\0', at);
                    readers.push_back(multiString.substr(at, end - at));
                    at = end + 1;
                }
            }
        }
        if (result == SCARD_E_NO_READERS_AVAILABLE)
            result = SCARD_S_SUCCESS;
        std::string names;
        for (const auto& reader : readers)
            names += (names.empty() ? "" : ", ") + reader;
        TracePcscCall("SCardListReaders()", result, names);
        return result;
    }
    return SCARD_E_INSUFFICIENT_BUFFER;
}

LONG PcscContext::WaitForCard(const std::string& reader, std::chrono::milliseconds timeout,
                              bool& present) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    SCARD_READERSTATE state{};
    state.szReader = reader.c_str();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    present = false;
    for (bool first = true;; first = false) {
        const auto left = std::max(Clock::duration::zero(), deadline - Clock::now());
        const DWORD waitMs =
            first ? 0
                  : static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
        const LONG result = Pcsc().getStatusChange(context_, waitMs, &state, 1);
        TracePcscCall("SCardGetStatusChange(" + reader + ", " + std::to_string(waitMs) + " ms)", result,
                      "state=0x" +
                          ctapi::ToHex(std::vector<uint8_t>{static_cast<uint8_t>(state.dwEventState >> 8),
                                                            static_cast<uint8_t>(state.dwEventState)}));
        if (result == SCARD_E_TIMEOUT)
            return SCARD_S_SUCCESS;
        if (result != SCARD_S_SUCCESS)
            return result;
        present = (state.dwEventState & SCARD_STATE_PRESENT) && !(state.dwEventState & SCARD_STATE_MUTE);
        if (present || Clock::now() >= deadline)
            return SCARD_S_SUCCESS;
        state.dwCurrentState = state.dwEventState & ~static_cast<DWORD>(SCARD_STATE_CHANGED);
    }
}

} // namespace kc::pcsc

// SPDX-License-Identifier: Apache-2.0
#include "pnp_responder.h"

#include <sys/ioctl.h>

namespace kc::sim::serial {
namespace {

// A device answers a little after RTS rises, once the host has emptied its buffer.
constexpr std::chrono::milliseconds kAnswerDelay{30};

} // namespace

std::optional<kc::serial::Bytes> PnpResponder::onLines(uint32_t hostLines, bool hostListening,
                                                       Clock::time_point now) {
    const bool rtsRose = (hostLines & TIOCM_RTS) && !(previous_ & TIOCM_RTS);
    if (rtsRose && (hostLines & TIOCM_DTR) && !id_.empty())
        due_ = now + kAnswerDelay;
    previous_ = hostLines;
    if (!due_ || now < *due_)
        return std::nullopt;
    due_.reset();
    // At any other speed or framing the host would only see noise.
    if (!hostListening)
        return std::nullopt;
    // "(", the revision, the identifier, then the optional fields up to ")".
    const std::string text = std::string("(\x01$") + id_ + "\\\\MKT\\\\Chipkartenterminal)";
    return kc::serial::Bytes(text.begin(), text.end());
}

} // namespace kc::sim::serial

// SPDX-License-Identifier: Apache-2.0
#include "frame_channel.h"

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

namespace kc::host {

std::optional<Request> FrameChannel::read() {
    std::vector<uint8_t> payload;
    for (;;) {
        switch (reader_.next(payload)) {
        case FrameReader::Status::Frame:
            return DecodeRequest(payload);
        case FrameReader::Status::Malformed:
            return std::nullopt;
        case FrameReader::Status::NeedMore:
            break;
        }
        uint8_t buffer[16384];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR))
            return std::nullopt;
        if (n > 0)
            reader_.append(buffer, std::size_t(n));
    }
}

bool FrameChannel::write(const std::vector<uint8_t>& frame) {
    std::size_t sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = ::send(fd_, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            sent += std::size_t(n);
    }
    return true;
}

} // namespace kc::host

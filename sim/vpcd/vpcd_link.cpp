// SPDX-License-Identifier: Apache-2.0
#include "vpcd_link.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kc::sim::vpcd {

namespace {

bool ReceiveAll(int socket, uint8_t* buffer, std::size_t count) {
    while (count > 0) {
        // Without a quick ACK each answer waits for the peer's delayed ACK: about 40 ms per command.
        const int on = 1;
        setsockopt(socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
        const ssize_t got = recv(socket, buffer, count, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        buffer += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

std::optional<VpcdLink> VpcdLink::connect(uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    VpcdLink link(fd);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return std::nullopt;
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    return link;
}

VpcdLink::VpcdLink(VpcdLink&& other) noexcept : socket_(other.socket_) {
    other.socket_ = -1;
}

VpcdLink& VpcdLink::operator=(VpcdLink&& other) noexcept {
    if (this != &other) {
        if (socket_ >= 0)
            close(socket_);
        socket_ = other.socket_;
        other.socket_ = -1;
    }
    return *this;
}

VpcdLink::~VpcdLink() {
    if (socket_ >= 0)
        close(socket_);
}

bool VpcdLink::receive(Bytes& message) {
    uint8_t length[2];
    if (!ReceiveAll(socket_, length, sizeof length))
        return false;
    message.resize(static_cast<std::size_t>(length[0] << 8 | length[1]));
    return message.empty() || ReceiveAll(socket_, message.data(), message.size());
}

bool VpcdLink::send(std::span<const uint8_t> message) {
    if (message.size() > 0xFFFF)
        return false;
    Bytes frame{static_cast<uint8_t>(message.size() >> 8), static_cast<uint8_t>(message.size())};
    frame.insert(frame.end(), message.begin(), message.end());
    for (std::size_t sent = 0; sent < frame.size();) {
        const ssize_t put = ::send(socket_, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        sent += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace kc::sim::vpcd

// SPDX-License-Identifier: Apache-2.0
// The helper's end of the socket: a request in pieces is one; an end gone or broken ends its loop.
#include "frame_channel.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace kc::host {
namespace {

// Both ends of a stream socket, closed with it unless closed before.
struct SocketPair {
    int ends[2] = {-1, -1};
    SocketPair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends), 0); }
    ~SocketPair() {
        for (int end : ends)
            if (end >= 0)
                ::close(end);
    }
};

TEST(FrameChannel, ARequestInPiecesIsOneRequest) {
    SocketPair pair;
    const std::vector<uint8_t> frame = EncodeFrame(Request{BaudRequest{1, 19200}});
    ASSERT_EQ(::write(pair.ends[1], frame.data(), 3), 3);
    ASSERT_EQ(::write(pair.ends[1], frame.data() + 3, frame.size() - 3), ssize_t(frame.size() - 3));
    FrameChannel channel(pair.ends[0]);
    const auto request = channel.read();
    ASSERT_TRUE(request && std::holds_alternative<BaudRequest>(*request));
    EXPECT_EQ(std::get<BaudRequest>(*request).baud, 19200);

    const std::vector<uint8_t> answer = EncodeFrame(Answer{BaudAnswer{0, 19200}});
    EXPECT_TRUE(channel.write(answer));
    std::vector<uint8_t> got(answer.size());
    ASSERT_EQ(::read(pair.ends[1], got.data(), got.size()), ssize_t(answer.size()));
    EXPECT_EQ(got, answer);
}

TEST(FrameChannel, AnEndGoneOrBrokenBringsNoRequestAndTakesNoAnswer) {
    {
        SocketPair pair;
        const std::vector<uint8_t> frame = EncodeFrame(Request{CloseRequest{1}});
        ASSERT_EQ(::write(pair.ends[1], frame.data(), 2), 2);
        ::close(std::exchange(pair.ends[1], -1)); // the program went away in the middle of a frame
        FrameChannel channel(pair.ends[0]);
        EXPECT_FALSE(channel.read());
        EXPECT_FALSE(channel.write(EncodeFrame(Answer{CloseAnswer{0}})));
    }
    {
        // Not a socket at all: every read fails, and fails at once.
        const int folder = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(folder, 0);
        FrameChannel channel(folder);
        EXPECT_FALSE(channel.read());
        ::close(folder);
    }
}

} // namespace
} // namespace kc::host

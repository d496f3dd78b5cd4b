// SPDX-License-Identifier: Apache-2.0
// What kartocheck-ctapi-host reads from the program: the input through a
// socket pair into the helper's channel, every request answered by a library
// whose results the first bytes choose (a code byte, a 16-bit lenr it
// reports, 0xFFFF: lenr left alone), the answers sent back and drained.
#include "frame_channel.h"
#include "fuzz_input.h"
#include "library_calls.h"
#include "terminal/unique_fd.h"

#include <algorithm>
#include <sys/socket.h>

namespace {

constexpr uint16_t kLenrUnchanged = 0xFFFF;

class ChosenLibrary : public kc::CtApi {
  public:
    ChosenLibrary(int8_t code, uint16_t lenr) : code_(code), lenr_(lenr) {}

    int8_t init(uint16_t, uint16_t) override { return code_; }
    int8_t data(uint16_t, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override {
        if (lenr_ != kLenrUnchanged)
            *lenr = lenr_;
        // A library writes as much as it says it has, into the response and back into the command.
        std::fill_n(response, *lenr, uint8_t(0x90));
        std::fill_n(command, lenc, uint8_t(0));
        std::swap(*dad, *sad);
        return code_;
    }
    int8_t close(uint16_t) override { return code_; }
    int32_t getBaudrate(uint16_t, int32_t* baud) override {
        *baud = 9600;
        return code_;
    }

  private:
    int8_t code_;
    uint16_t lenr_;
};

void Drain(int fd) {
    uint8_t buffer[16384];
    while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    const auto code = int8_t(input.byte());
    ChosenLibrary library(code, input.word());
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return 0;
    const kc::UniqueFd program(pair[0]);
    const kc::UniqueFd helper(pair[1]);
    // More than the socket holds is cut off, as a program stuck mid-frame would leave it.
    const QByteArray stream = input.rest();
    static_cast<void>(::send(program.get(), stream.constData(), std::size_t(stream.size()), MSG_DONTWAIT));
    ::shutdown(program.get(), SHUT_WR);

    kc::host::FrameChannel channel(helper.get());
    kc::host::LibraryCalls calls(library);
    while (const auto request = channel.read()) {
        if (!channel.write(kc::host::EncodeFrame(calls.answer(*request))))
            break;
        Drain(program.get());
    }
    return 0;
}

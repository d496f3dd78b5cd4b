// SPDX-License-Identifier: Apache-2.0
// The serial library's CT-API calls and T=1 host against a terminal played
// by the input, in-process. First byte: bits 0-1 the outcome of opening the
// port, bits 2-4 the number of commands. Per command: dad, a 16-bit lenr,
// a length byte and the command. The rest plays the terminal: for every
// frame the host writes, a 16-bit count and that many bytes it then reads
// (0xFFFF: the write fails, 0xFFFE: the line is gone after them). A read
// with nothing left times out at once, so no input waits real time.
#include "fuzz_commands.h"
#include "serial/ctapi_functions.h"

#include <deque>
#include <memory>
#include <vector>

namespace {

using kc::serial::ByteLine;
using kc::serial::OpenResult;

constexpr uint16_t kWriteFails = 0xFFFF;
constexpr uint16_t kLineGone = 0xFFFE;

class PlayedTerminal : public kc::serial::PortLine {
  public:
    PlayedTerminal(kc::fuzz::FuzzInput& input, OpenResult opened) : input_(input), opened_(opened) {}

    OpenResult open(const std::string&) override { return opened_; }
    void close() override {}
    bool setSpeed(int32_t) override { return true; }

    bool write(std::span<const uint8_t>) override {
        if (input_.empty())
            return true;
        const uint16_t count = input_.word();
        if (count == kWriteFails)
            return false;
        gone_ = count == kLineGone;
        for (const char byte : input_.bytes(gone_ ? 0 : count))
            pending_.push_back(uint8_t(byte));
        return true;
    }
    Read read(uint8_t& byte, kc::serial::Milliseconds) override {
        if (pending_.empty())
            return gone_ ? Read::Failed : Read::Timeout;
        byte = pending_.front();
        pending_.pop_front();
        return Read::Byte;
    }
    void discard() override { pending_.clear(); }

  private:
    kc::fuzz::FuzzInput& input_;
    OpenResult opened_;
    std::deque<uint8_t> pending_;
    bool gone_ = false;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    const uint8_t setup = input.byte();
    const auto commands = kc::fuzz::ReadCommands(input, setup >> 2 & 7);
    constexpr uint16_t ctn = 7;
    auto line = std::make_unique<PlayedTerminal>(input, OpenResult(setup & 3));
    if (kc::serial::Init(ctn, 1, std::move(line)) != 0)
        return 0;
    kc::fuzz::SendCommands(commands, [&](uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                                         uint16_t* lenr, uint8_t* response) {
        return kc::serial::Data(ctn, dad, sad, lenc, command, lenr, response);
    });
    int32_t baud = 0;
    static_cast<void>(kc::serial::GetBaudrate(ctn, &baud));
    // The session table lives as long as the process: every input leaves it empty.
    static_cast<void>(kc::serial::Close(ctn));
    return 0;
}

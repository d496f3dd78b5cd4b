// SPDX-License-Identifier: Apache-2.0
#include "virtual_card.h"

namespace kc::sim::vpcd {

namespace {

constexpr uint16_t kCtn = 1;
constexpr uint8_t kToCard = 0;
constexpr uint8_t kToTerminal = 1;

constexpr uint8_t kPowerOff = 0;
constexpr uint8_t kPowerOn = 1;
constexpr uint8_t kReset = 2;
constexpr uint8_t kGetAtr = 4;

// T=1 processor card with direct convention; the last byte is the check byte.
const Bytes kProcessorCardAtr{0x3B, 0xD3, 0x96, 0xFF, 0x81, 0xB1, 0xFE,
                              0x45, 0x1F, 0x07, 0x80, 0x81, 0x05, 0x2D};
// PC/SC storage card: historical bytes 80 4F 0C, RID A0 00 00 03 06, standard
// and card name left open (00 00 00), four bytes RFU, then the check byte.
const Bytes kMemoryCardAtr{0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00,
                           0x03, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x68};
// What a card says when the simulated terminal failed to pass a command on.
const Bytes kNoPreciseDiagnosis{0x6F, 0x00};

} // namespace

VirtualCard::VirtualCard(Simulator simulator, const TerminalSetup& terminal)
    : simulator_(std::move(simulator)), card_(terminal.card),
      atr_(card_.type == CardType::Egk ? kProcessorCardAtr : kMemoryCardAtr) {
    simulator_.init(kCtn, terminal.ports.front());
}

void VirtualCard::powerUp() {
    simulator_.transmit(kCtn, kToTerminal, "20110100");
}

Bytes VirtualCard::answer(std::span<const uint8_t> command) {
    uint8_t dad = kToCard;
    uint8_t sad = 2;
    Bytes response(0xFFFF);
    uint16_t length = 0xFFFF;
    const int8_t code = simulator_.data(kCtn, &dad, &sad, static_cast<uint16_t>(command.size()),
                                        command.data(), &length, response.data());
    if (code != 0 || length < 2)
        return kNoPreciseDiagnosis;
    response.resize(length);
    return response;
}

VirtualCard::Handled VirtualCard::handle(std::span<const uint8_t> message) {
    if (message.size() == 1) {
        switch (message[0]) {
        case kPowerOn:
        case kReset:
            powerUp();
            return {};
        case kGetAtr:
            return {atr_, false};
        case kPowerOff:
        default:
            return {};
        }
    }
    if (message.size() < 4 || message.size() > 0xFFFF)
        return {Bytes{0x67, 0x00}, false};
    Handled handled{answer(message), false};
    ++answered_;
    if (!leftOnce_ && card_.removedAfter > 0 && answered_ >= card_.removedAfter) {
        leftOnce_ = true;
        handled.leave = true;
    }
    return handled;
}

} // namespace kc::sim::vpcd

// SPDX-License-Identifier: Apache-2.0
#include "terminal_answers.h"

#include <algorithm>

namespace kc::pcsc {

namespace {

constexpr std::string_view kManufacturer = "KARTO";
constexpr std::string_view kTerminalType = "PC/SC";
constexpr std::string_view kVersion = "1.0.0";
// Longer objects would need a two-byte length, which CT-API programs read as one byte.
constexpr std::size_t kLongestShortLength = 0x7F;

constexpr uint8_t kResponseNone = 0x00;
constexpr uint8_t kResponseAtr = 0x01;
constexpr uint8_t kResponseHistorical = 0x02;

void Append(Bytes& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

void AppendStatus(Bytes& out, uint16_t status) {
    const Bytes tail = StatusOnly(status);
    out.insert(out.end(), tail.begin(), tail.end());
}

} // namespace

Bytes ManufacturerObject(std::string_view readerName) {
    Bytes out{0x46, 0x00};
    Append(out, kManufacturer);
    Append(out, kTerminalType);
    Append(out, kVersion);
    const std::size_t room = kLongestShortLength - (out.size() - 2);
    Append(out, readerName.substr(0, room));
    out[1] = static_cast<uint8_t>(out.size() - 2);
    AppendStatus(out, sw::kOk);
    return out;
}

Bytes FunctionalUnitsObject() {
    return Bytes{0x81, 0x01, 0x01, 0x90, 0x00};
}

Bytes IccStatusObject(IccState state) {
    const uint8_t value = state == IccState::Active ? 0x05 : state == IccState::Present ? 0x01 : 0x00;
    return Bytes{0x80, 0x01, value, 0x90, 0x00};
}

Bytes ActivationAnswer(std::span<const uint8_t> atr, uint8_t p2) {
    Bytes out;
    switch (p2 & 0x0F) {
    case kResponseAtr:
        out.assign(atr.begin(), atr.end());
        break;
    case kResponseHistorical:
        if (auto historical = HistoricalBytes(atr))
            out = std::move(*historical);
        break;
    case kResponseNone:
    default:
        break;
    }
    AppendStatus(out, KindOfCard(atr) == CardKind::Memory ? sw::kOk : sw::kProcessorCardOk);
    return out;
}

} // namespace kc::pcsc

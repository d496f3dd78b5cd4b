// SPDX-License-Identifier: Apache-2.0
#include "terminal.h"

namespace kc::sim {

namespace {

constexpr uint8_t kDadCard = 0;

} // namespace

Terminal::Terminal(TerminalSetup setup)
    : setup_(std::move(setup)), card_(Card::create(setup_.card)), pendingArrivals_(setup_.card.arrivesAfter),
      initResults_(setup_.initResults), overrides_(setup_.overrides) {}

int8_t Terminal::nextInitResult() {
    const int8_t* code = initResults_.next();
    return code ? *code : 0;
}

Reply Terminal::handle(uint8_t dad, std::span<const uint8_t> command) {
    if (const Answer* answer = overrides_.next(command); answer && answer->kind != Answer::Kind::Pass) {
        if (answer->kind == Answer::Kind::Code)
            return Reply{answer->code, {}, 1};
        const uint8_t sad = answer->sad.value_or(dad == kDadCard ? 0 : 1);
        return Reply{0, answer->response, sad};
    }
    return dad == kDadCard ? handleCardCommand(command) : handleCtBcs(command);
}

std::optional<Reply> Terminal::cardRefusal() const {
    if (setup_.output == OutputMedium::DisplayError)
        return Reply{-10, {}, 1};
    if (setup_.output == OutputMedium::Display)
        return TerminalAnswer(sw::kOutputToDisplay);
    if (setup_.locked != LockState::Unlocked)
        return TerminalAnswer(sw::kLocked);
    if (!cardPresent())
        return TerminalAnswer(sw::kCardMissing);
    return std::nullopt;
}

Reply Terminal::handleCardCommand(std::span<const uint8_t> command) {
    if (auto refusal = cardRefusal())
        return *refusal;
    const auto apdu = Apdu::parse(command);
    if (!apdu)
        return Reply{0, Response::status(sw::kWrongLength).bytes(), 0};
    // A handheld presents its stored record as a card; erasing it empties the slot.
    if (setup_.kind == TerminalKind::Handheld && apdu->cla == 0x00 && apdu->ins == 0x0E) {
        card_.reset();
        return Reply{0, Response::status(sw::kOk).bytes(), 0};
    }
    return Reply{0, card_->process(*apdu).bytes(), 0};
}

} // namespace kc::sim

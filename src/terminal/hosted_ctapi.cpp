// SPDX-License-Identifier: Apache-2.0
#include "terminal/hosted_ctapi.h"

#include <QDebug>
#include <algorithm>
#include <cstring>

namespace kc {
namespace {

using std::chrono::milliseconds;

// A helper that closed its end is on its way out; this is how long it may take.
constexpr milliseconds kExitGrace{1000};

const QString kNoAnswerText =
    QStringLiteral("Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)");
const QString kBrokenAnswerText = QStringLiteral("Die Terminalbibliothek antwortet fehlerhaft");
const QString kNotLoadableText = QStringLiteral("Die Terminalbibliothek lässt sich nicht mehr laden");

QString EndedText(const HostProcess::End& end) {
    return QStringLiteral("Die Terminalbibliothek hat sich unerwartet beendet (%1 %2)")
        .arg(end.bySignal ? QStringLiteral("Signal") : QStringLiteral("Exit-Code"))
        .arg(end.number);
}

} // namespace

HostedCtApi::HostedCtApi(std::string helper, std::string library, HostTimeLimits limits)
    : helper_(std::move(helper)), library_(std::move(library)), limits_(limits) {}

template <typename Answer>
std::optional<Answer> HostedCtApi::ask(std::span<const uint8_t> frame, milliseconds limit) {
    // Without a helper there is no library session to ask.
    if (!process_.running())
        return std::nullopt;
    std::vector<uint8_t> payload;
    switch (process_.exchange(frame, limit, whileWaiting_, payload)) {
    case HostProcess::Outcome::Answered:
        if (auto answer = host::DecodeAnswer(payload)) {
            if (auto* expected = std::get_if<Answer>(&*answer))
                return std::move(*expected);
        }
        giveUp(kBrokenAnswerText);
        return std::nullopt;
    case HostProcess::Outcome::Malformed:
        giveUp(kBrokenAnswerText);
        return std::nullopt;
    case HostProcess::Outcome::TimedOut:
        giveUp(kNoAnswerText);
        return std::nullopt;
    case HostProcess::Outcome::Ended:
        loss_ = EndedText(process_.end(kExitGrace, whileWaiting_));
        return std::nullopt;
    }
    return std::nullopt;
}

void HostedCtApi::giveUp(const QString& loss) {
    process_.end(milliseconds(0), whileWaiting_);
    loss_ = loss;
}

LibraryFault HostedCtApi::start() {
    // Without its helper the library cannot be used at all: a library fault, named on stderr.
    if (const int failed = process_.start(helper_, library_)) {
        qWarning().noquote() << QString::fromLocal8Bit(helper_.c_str())
                             << QString::fromLocal8Bit(std::strerror(failed));
        return LibraryFault::EntryPointMissing;
    }
    const auto loaded = ask<host::LoadAnswer>({}, limits_.load);
    // A library that hangs or crashes while it loads cannot be used at all.
    if (!loaded)
        return LibraryFault::EntryPointMissing;
    if (loaded->fault != LibraryFault::None)
        process_.end(kExitGrace, whileWaiting_);
    return loaded->fault;
}

int8_t HostedCtApi::init(uint16_t ctn, uint16_t pn) {
    if (!process_.running() && start() != LibraryFault::None) {
        if (loss_.isEmpty())
            loss_ = kNotLoadableText;
        return ERR_TRANS;
    }
    const auto answer = ask<host::InitAnswer>(host::EncodeFrame(host::InitRequest{ctn, pn}), limits_.init);
    return answer ? answer->code : int8_t(ERR_TRANS);
}

int8_t HostedCtApi::data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                         uint16_t* lenr, uint8_t* response) {
    const uint16_t capacity = *lenr;
    host::DataRequest request{ctn, *dad, *sad, capacity, std::vector<uint8_t>(command, command + lenc)};
    const milliseconds limit = DataTimeLimit(limits_, request.command, capacity);
    const auto answer = ask<host::DataAnswer>(host::EncodeFrame(request), limit);
    if (!answer)
        return ERR_TRANS;
    if (!host::FitsCaller(*answer, capacity)) {
        giveUp(kBrokenAnswerText);
        return ERR_TRANS;
    }
    std::copy(answer->response.begin(), answer->response.end(), response);
    *dad = answer->dad;
    *sad = answer->sad;
    *lenr = answer->lenr;
    return answer->code;
}

int8_t HostedCtApi::close(uint16_t ctn) {
    const auto answer = ask<host::CloseAnswer>(host::EncodeFrame(host::CloseRequest{ctn}), limits_.close);
    return answer ? answer->code : int8_t(ERR_TRANS);
}

int32_t HostedCtApi::getBaudrate(uint16_t ctn, int32_t* baud) {
    const auto answer =
        ask<host::BaudAnswer>(host::EncodeFrame(host::BaudRequest{ctn, *baud}), limits_.baudRate);
    if (!answer)
        return ERR_TRANS;
    *baud = answer->baud;
    return answer->result;
}

} // namespace kc

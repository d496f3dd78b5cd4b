// SPDX-License-Identifier: Apache-2.0
#include "fault_plan.h"

#include <charconv>
#include <utility>

namespace kc::sim::serial {
namespace {

constexpr std::pair<std::string_view, FaultKind> kNames[] = {
    {"silence", FaultKind::Silence}, {"lrc", FaultKind::WrongLrc},  {"nak", FaultKind::Nak},
    {"wtx", FaultKind::Wtx},         {"hangup", FaultKind::HangUp},
};

// "<marker><digits>" at the start of text, taken off it; absent when text does not start with marker.
bool TakeCount(std::string_view& text, char marker, int& value) {
    if (text.empty() || text.front() != marker)
        return true;
    const char* begin = text.data() + 1;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end == begin || value < 0)
        return false;
    text.remove_prefix(std::size_t(end - text.data()));
    return true;
}

} // namespace

std::optional<FaultSwitch> ParseFaultSwitch(std::string_view text) {
    for (const auto& [name, kind] : kNames) {
        if (!text.starts_with(name))
            continue;
        FaultSwitch fault;
        fault.kind = kind;
        std::string_view rest = text.substr(name.size());
        if (TakeCount(rest, '@', fault.after) && TakeCount(rest, 'x', fault.times) && rest.empty())
            return fault;
        return std::nullopt;
    }
    return std::nullopt;
}

bool FaultPlan::strikes(FaultKind kind, int commandsAnswered) {
    for (FaultSwitch& fault : faults_) {
        if (fault.kind != kind || commandsAnswered < fault.after || fault.times == 0)
            continue;
        if (fault.times > 0)
            --fault.times;
        return true;
    }
    return false;
}

} // namespace kc::sim::serial

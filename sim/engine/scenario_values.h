// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/scenario.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Parsers for the values of scenario settings. Each throws ScenarioError with
// a message naming what is wrong; the line parser adds file and line.
namespace kc::sim::values {

struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string_view Trim(std::string_view text);
// Splits at separator, but not inside double quotes; parts are trimmed.
std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator);

[[nodiscard]] long ParseInteger(std::string_view text, long min, long max);
[[nodiscard]] uint16_t ParsePort(std::string_view text);
[[nodiscard]] int8_t ParseCode(std::string_view text);
[[nodiscard]] std::vector<uint16_t> ParsePortList(std::string_view text);
// Comma list of CT-API codes with optional "xN" repeats.
[[nodiscard]] std::vector<int8_t> ParseCodeSequence(std::string_view text);
// Hex tokens and quoted texts, or "@file" alone.
[[nodiscard]] Bytes ParseBytes(std::string_view text, const FileSource& files);
// Comma list of answers (pass, -N, empty, [ct:|card:]bytes) with "xN" repeats.
[[nodiscard]] std::vector<Answer> ParseAnswers(std::string_view text, const FileSource& files);
[[nodiscard]] std::set<EgkFile> ParseEgkFileList(std::string_view text);

// Picks the enum value whose name equals text, or names the allowed values.
template <typename E>
[[nodiscard]] E ParseChoice(std::string_view text,
                            std::initializer_list<std::pair<std::string_view, E>> choices) {
    std::string allowed;
    for (const auto& [name, value] : choices) {
        if (name == text)
            return value;
        allowed += allowed.empty() ? "" : ", ";
        allowed += name;
    }
    throw ScenarioError("'" + std::string(text) + "' is not one of: " + allowed);
}

} // namespace kc::sim::values

// SPDX-License-Identifier: Apache-2.0
#include "scenario_values.h"

#include <charconv>

namespace kc::sim::values {

namespace {

// Repetitions are expanded; a cap keeps a typo from eating the memory.
constexpr long kMaxRepeat = 100000;

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// "item x3" → ("item", 3); "item" → ("item", 1).
std::pair<std::string_view, long> SplitRepeat(std::string_view item) {
    const auto blank = item.find_last_of(" \t");
    if (blank == std::string_view::npos)
        return {item, 1};
    const std::string_view last = item.substr(blank + 1);
    if (last.size() < 2 || last[0] != 'x' || last.find('"') != std::string_view::npos)
        return {item, 1};
    return {Trim(item.substr(0, blank)), ParseInteger(last.substr(1), 1, kMaxRepeat)};
}

Bytes HexToken(std::string_view token) {
    if (token.size() % 2 != 0)
        throw ScenarioError("odd number of hex digits in '" + std::string(token) + "'");
    auto bytes = FromHex(token);
    if (!bytes)
        throw ScenarioError("'" + std::string(token) + "' is not hexadecimal");
    return *bytes;
}

Bytes FileContent(std::string_view name, const FileSource& files) {
    const std::string path(Trim(name));
    if (path.empty())
        throw ScenarioError("'@' without a file name");
    const auto content = files ? files(path) : std::nullopt;
    if (!content)
        throw ScenarioError("cannot read file '" + path + "'");
    if (!EndsWith(path, ".hex") && !EndsWith(path, ".txt"))
        return Bytes(content->begin(), content->end());
    std::string digits;
    bool inComment = false;
    for (char c : *content) {
        if (c == '#')
            inComment = true;
        else if (c == '\n')
            inComment = false;
        else if (!inComment)
            digits.push_back(c);
    }
    auto bytes = FromHex(digits);
    if (!bytes)
        throw ScenarioError("file '" + path + "' does not hold hexadecimal text");
    return *bytes;
}

} // namespace

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> SplitOutsideQuotes(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            parts.push_back(Trim(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    parts.push_back(Trim(text.substr(start)));
    return parts;
}

long ParseInteger(std::string_view text, long min, long max) {
    text = Trim(text);
    bool negative = false;
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw ScenarioError("'" + std::string(text) + "' is not a number");
    if (negative)
        value = -value;
    if (value < min || value > max)
        throw ScenarioError("'" + std::string(text) + "' is out of range " + std::to_string(min) + ".." +
                            std::to_string(max));
    return value;
}

uint16_t ParsePort(std::string_view text) {
    return static_cast<uint16_t>(ParseInteger(text, 0, 0xFFFF));
}

int8_t ParseCode(std::string_view text) {
    return static_cast<int8_t>(ParseInteger(text, -128, 127));
}

std::vector<uint16_t> ParsePortList(std::string_view text) {
    std::vector<uint16_t> ports;
    for (std::string_view part : SplitOutsideQuotes(text, ','))
        ports.push_back(ParsePort(part));
    return ports;
}

std::vector<int8_t> ParseCodeSequence(std::string_view text) {
    std::vector<int8_t> codes;
    for (std::string_view part : SplitOutsideQuotes(text, ',')) {
        const auto [item, count] = SplitRepeat(part);
        codes.insert(codes.end(), static_cast<std::size_t>(count), ParseCode(item));
    }
    return codes;
}

Bytes ParseBytes(std::string_view text, const FileSource& files) {
    text = Trim(text);
    if (text.empty())
        throw ScenarioError("empty byte string");
    if (text[0] == '@')
        return FileContent(text.substr(1), files);
    Bytes bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
        } else if (text[i] == '"') {
            const auto close = text.find('"', i + 1);
            if (close == std::string_view::npos)
                throw ScenarioError("quoted text without closing quote");
            bytes.insert(bytes.end(), text.begin() + static_cast<long>(i) + 1,
                         text.begin() + static_cast<long>(close));
            i = close + 1;
        } else {
            const auto end = text.find_first_of(" \t\"", i);
            const auto token =
                text.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
            if (token[0] == '@')
                throw ScenarioError("'@file' must be the whole value");
            const Bytes part = HexToken(token);
            bytes.insert(bytes.end(), part.begin(), part.end());
            i += token.size();
        }
    }
    return bytes;
}

std::vector<Answer> ParseAnswers(std::string_view text, const FileSource& files) {
    std::vector<Answer> answers;
    for (std::string_view part : SplitOutsideQuotes(text, ',')) {
        auto [item, count] = SplitRepeat(part);
        if (item.empty())
            throw ScenarioError("empty answer in '" + std::string(text) + "'");
        Answer answer;
        if (item == "pass") {
            answer.kind = Answer::Kind::Pass;
        } else if (item[0] == '-') {
            answer.kind = Answer::Kind::Code;
            answer.code = ParseCode(item);
        } else {
            answer.kind = Answer::Kind::Response;
            if (item.starts_with("ct:")) {
                answer.sad = 1;
                item.remove_prefix(3);
            } else if (item.starts_with("card:")) {
                answer.sad = 0;
                item.remove_prefix(5);
            }
            if (Trim(item) != "empty")
                answer.response = ParseBytes(item, files);
        }
        answers.insert(answers.end(), static_cast<std::size_t>(count), answer);
    }
    return answers;
}

std::set<EgkFile> ParseEgkFileList(std::string_view text) {
    std::set<EgkFile> result;
    if (Trim(text) == "none")
        return result;
    for (std::string_view part : SplitOutsideQuotes(text, ','))
        result.insert(ParseChoice<EgkFile>(part, {{"gdo", EgkFile::Gdo},
                                                  {"vd", EgkFile::Vd},
                                                  {"pd", EgkFile::Pd},
                                                  {"gvd", EgkFile::Gvd},
                                                  {"statusvd", EgkFile::StatusVd}}));
    return result;
}

} // namespace kc::sim::values

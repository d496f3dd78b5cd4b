// SPDX-License-Identifier: Apache-2.0
#include "scenario_values.h"
#include "sim/scenario.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace kc::sim {

namespace {

using values::ScenarioError;

const Bytes kDefaultStatus81{0x81, 0x03, 0x01, 0x40, 0x50, 0x90, 0x00};
const Bytes kDefaultStatus46 = [] {
    const std::string_view data = "DEZAVQKT-43.1.0";
    Bytes bytes{0x46, 0x0F};
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.insert(bytes.end(), {0x90, 0x00});
    return bytes;
}();

TerminalSetup DefaultTerminal(std::string name) {
    TerminalSetup terminal;
    terminal.name = std::move(name);
    terminal.getStatus81 = kDefaultStatus81;
    terminal.getStatus46 = kDefaultStatus46;
    terminal.usbInfo = {0x6D, 0x00};
    return terminal;
}

void ApplyPortSetting(Scenario& scenario, std::string_view key, std::string_view value) {
    if (key == "default") {
        scenario.defaultPortResult = values::ParseCode(value);
        return;
    }
    scenario.portResults[values::ParsePort(key)] = values::ParseCodeSequence(value);
}

void ApplyCardSetting(CardSetup& card, std::string_view key, std::string_view value,
                      const FileSource& files) {
    using values::ParseChoice;
    if (key == "card") {
        card.type = ParseChoice<CardType>(value, {{"none", CardType::None},
                                                  {"kvk", CardType::Kvk},
                                                  {"egk", CardType::Egk},
                                                  {"memory", CardType::Memory}});
    } else if (key == "card.arrives-after") {
        card.arrivesAfter = static_cast<int>(values::ParseInteger(value, 0, 1000000));
    } else if (key == "card.removed-after") {
        card.removedAfter = static_cast<int>(values::ParseInteger(value, 1, 1000000));
    } else if (key == "card.back-after") {
        card.backAfterMs = static_cast<int>(values::ParseInteger(value, 0, 600000));
    } else if (key == "card.record") {
        card.kvkRecord = values::ParseBytes(value, files);
    } else if (key == "card.aid") {
        card.kvkAid =
            ParseChoice<KvkAid>(value, {{"new", KvkAid::New}, {"old", KvkAid::Old}, {"both", KvkAid::Both}});
    } else if (key == "card.gdo") {
        card.egkFiles[EgkFile::Gdo] = values::ParseBytes(value, files);
    } else if (key == "card.vd") {
        card.egkFiles[EgkFile::Vd] = values::ParseBytes(value, files);
    } else if (key == "card.pd") {
        card.egkFiles[EgkFile::Pd] = values::ParseBytes(value, files);
    } else if (key == "card.gvd") {
        card.egkFiles[EgkFile::Gvd] = values::ParseBytes(value, files);
    } else if (key == "card.statusvd") {
        card.egkFiles[EgkFile::StatusVd] = values::ParseBytes(value, files);
    } else if (key == "card.protected") {
        card.protectedFiles = values::ParseEgkFileList(value);
    } else if (key == "card.hca") {
        card.hca = ParseChoice<HcaState>(value, {{"active", HcaState::Active},
                                                 {"deactivated", HcaState::Deactivated},
                                                 {"missing", HcaState::Missing}});
    } else {
        throw ScenarioError("unknown key '" + std::string(key) + "'");
    }
}

void ApplyTerminalSetting(TerminalSetup& terminal, std::string_view key, std::string_view value,
                          const FileSource& files) {
    using values::ParseChoice;
    if (key == "ports") {
        terminal.ports = values::ParsePortList(value);
    } else if (key == "kind") {
        terminal.kind = ParseChoice<TerminalKind>(
            value, {{"stationary", TerminalKind::Stationary}, {"handheld", TerminalKind::Handheld}});
    } else if (key == "init") {
        terminal.initResults = values::ParseCodeSequence(value);
    } else if (key == "close") {
        terminal.closeResult = values::ParseCode(value);
    } else if (key == "get-status-81") {
        terminal.getStatus81 = values::ParseBytes(value, files);
    } else if (key == "get-status-46") {
        terminal.getStatus46 = values::ParseBytes(value, files);
    } else if (key == "reset-ct") {
        terminal.resetCt = values::ParseBytes(value, files);
    } else if (key == "usb-info") {
        terminal.usbInfo = values::ParseBytes(value, files);
    } else if (key == "baudrate") {
        if (value == "fail")
            terminal.baudrate.reset();
        else
            terminal.baudrate = static_cast<int32_t>(values::ParseInteger(value, 0, 0x7FFFFFFF));
    } else if (key == "line-speed") {
        terminal.lineSpeed =
            value == "off" ? 0 : static_cast<int32_t>(values::ParseInteger(value, 1, 0x7FFFFFFF));
    } else if (key == "output") {
        terminal.output = ParseChoice<OutputMedium>(value, {{"pc", OutputMedium::Pc},
                                                            {"display", OutputMedium::Display},
                                                            {"display-error", OutputMedium::DisplayError}});
    } else if (key == "locked") {
        terminal.locked = ParseChoice<LockState>(
            value,
            {{"no", LockState::Unlocked}, {"yes", LockState::Locked}, {"keycard", LockState::KeyCard}});
    } else if (key == "oversize") {
        terminal.oversize = ParseChoice<OversizePolicy>(value, {{"error", OversizePolicy::Error},
                                                                {"truncate", OversizePolicy::Truncate},
                                                                {"claim", OversizePolicy::Claim}});
    } else if (key.starts_with("override")) {
        Override entry;
        const auto prefix = FromHex(key.substr(8));
        if (!prefix || prefix->empty())
            throw ScenarioError("override needs a hexadecimal command prefix");
        entry.prefix = *prefix;
        entry.answers = values::ParseAnswers(value, files);
        terminal.overrides.push_back(std::move(entry));
    } else if (key.starts_with("card")) {
        ApplyCardSetting(terminal.card, key, value, files);
    } else {
        throw ScenarioError("unknown key '" + std::string(key) + "'");
    }
}

// What a section needs once all its lines are read.
void FinishTerminal(TerminalSetup& terminal) {
    if (terminal.ports.empty())
        throw ScenarioError("terminal '" + terminal.name + "' has no 'ports'");
    if (terminal.resetCt.empty())
        terminal.resetCt = terminal.kind == TerminalKind::Handheld ? Bytes{0x95, 0x00} : Bytes{0x90, 0x00};
    if (terminal.card.type == CardType::Kvk && terminal.card.kvkRecord.empty())
        throw ScenarioError("terminal '" + terminal.name + "' has a kvk card without 'card.record'");
}

// An error that belongs to another line than the one being read.
struct LocatedError {
    int line;
    std::string message;
};

std::string StripComment(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == '#' && !quoted)
            return std::string(line.substr(0, i));
    }
    return std::string(line);
}

bool ValidTerminalName(std::string_view name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return false;
    return true;
}

class ScenarioParser {
  public:
    explicit ScenarioParser(const FileSource& files) : files_(files) {}

    void line(std::string_view raw, int lineNumber) {
        lineNumber_ = lineNumber;
        const std::string text = StripComment(raw);
        const std::string_view content = values::Trim(text);
        if (content.empty())
            return;
        if (content.front() == '[') {
            section(content);
            return;
        }
        const auto equals = content.find('=');
        if (equals == std::string_view::npos)
            throw ScenarioError("expected 'key = value' or '[section]'");
        const std::string_view key = values::Trim(content.substr(0, equals));
        const std::string_view value = values::Trim(content.substr(equals + 1));
        if (key.empty())
            throw ScenarioError("setting without a key");
        if (value.empty())
            throw ScenarioError("'" + std::string(key) + "' has no value");
        if (section_ == Section::None)
            throw ScenarioError("setting before the first section");
        if (section_ == Section::Ports) {
            if (key != "default")
                claimPorts({values::ParsePort(key)});
            ApplyPortSetting(scenario_, key, value);
            return;
        }
        TerminalSetup& terminal = scenario_.terminals.back();
        if (key == "ports") {
            if (!terminal.ports.empty())
                throw ScenarioError("'ports' given twice");
            claimPorts(values::ParsePortList(value));
        }
        ApplyTerminalSetting(terminal, key, value, files_);
    }

    Scenario finish() {
        closeSection();
        return std::move(scenario_);
    }

  private:
    enum class Section { None, Ports, Terminal };

    void claimPorts(const std::vector<uint16_t>& ports) {
        for (uint16_t port : ports)
            if (!claimedPorts_.insert(port).second)
                throw ScenarioError("port " + std::to_string(port) + " named twice");
    }

    void section(std::string_view header) {
        if (header.back() != ']')
            throw ScenarioError("section header without ']'");
        const std::string_view inner = values::Trim(header.substr(1, header.size() - 2));
        closeSection();
        if (inner == "ports") {
            section_ = Section::Ports;
            return;
        }
        const bool terminalHeader =
            inner == "terminal" || inner.starts_with("terminal ") || inner.starts_with("terminal\t");
        if (!terminalHeader)
            throw ScenarioError("unknown section '" + std::string(inner) + "'");
        const std::string name(values::Trim(inner.substr(8)));
        if (!ValidTerminalName(name))
            throw ScenarioError("terminal section needs a name of letters, digits, '-' and '_'");
        for (const auto& terminal : scenario_.terminals)
            if (terminal.name == name)
                throw ScenarioError("terminal '" + name + "' defined twice");
        scenario_.terminals.push_back(DefaultTerminal(name));
        section_ = Section::Terminal;
        sectionLine_ = lineNumber_;
    }

    void closeSection() {
        const Section closing = section_;
        section_ = Section::None;
        if (closing != Section::Terminal)
            return;
        try {
            FinishTerminal(scenario_.terminals.back());
        } catch (const ScenarioError& error) {
            throw LocatedError{sectionLine_, error.what()};
        }
    }

    const FileSource& files_;
    Scenario scenario_;
    Section section_ = Section::None;
    std::set<uint16_t> claimedPorts_;
    int lineNumber_ = 0;
    int sectionLine_ = 0;
};

} // namespace

FileSource FolderFileSource(const std::string& baseDir) {
    return [baseDir](const std::string& relativePath) -> std::optional<std::string> {
        const std::string path =
            relativePath.starts_with('/') || baseDir.empty() ? relativePath : baseDir + "/" + relativePath;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::ostringstream content;
        content << in.rdbuf();
        return content.str();
    };
}

Loaded<Scenario> Scenario::fromText(std::string_view text, const FileSource& files,
                                    std::string_view sourceName) {
    ScenarioParser parser(files);
    int lineNumber = 0;
    std::size_t start = 0;
    try {
        while (start <= text.size()) {
            const auto end = text.find('\n', start);
            const auto line =
                text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
            ++lineNumber;
            parser.line(line, lineNumber);
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
        return {parser.finish(), {}};
    } catch (const ScenarioError& error) {
        return {std::nullopt,
                std::string(sourceName) + ":" + std::to_string(lineNumber) + ": " + error.what()};
    } catch (const LocatedError& error) {
        return {std::nullopt,
                std::string(sourceName) + ":" + std::to_string(error.line) + ": " + error.message};
    }
}

Loaded<Scenario> Scenario::fromText(std::string_view text, const std::string& baseDir) {
    return fromText(text, FolderFileSource(baseDir), "scenario");
}

Loaded<Scenario> Scenario::fromFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {std::nullopt, path + ": cannot read the scenario file"};
    std::ostringstream content;
    content << in.rdbuf();
    const auto slash = path.find_last_of('/');
    const std::string baseDir = slash == std::string::npos ? "." : path.substr(0, slash);
    return fromText(content.str(), FolderFileSource(baseDir), path);
}

} // namespace kc::sim

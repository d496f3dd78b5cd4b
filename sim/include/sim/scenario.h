// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "sim/bytes.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace kc::sim {

// A loaded value or the reason it could not be loaded ("FILE:LINE: text").
template <typename T> struct Loaded {
    std::optional<T> value;
    std::string error;

    explicit operator bool() const { return value.has_value(); }
    T& operator*() { return *value; }
    T* operator->() { return &*value; }
};

// One answer of an override or sequence. See SCENARIOS.md.
struct Answer {
    enum class Kind { Pass, Code, Response };
    Kind kind = Kind::Pass;
    int8_t code = 0;            // Kind::Code: the CT-API return code
    Bytes response;             // Kind::Response: data + SW (may be empty)
    std::optional<uint8_t> sad; // who answers; unset = the addressed unit
};

struct Override {
    Bytes prefix;
    std::vector<Answer> answers; // the last one sticks
};

enum class TerminalKind { Stationary, Handheld };
enum class OutputMedium { Pc, Display, DisplayError };
enum class LockState { Unlocked, Locked, KeyCard };
enum class OversizePolicy { Error, Truncate, Claim };
enum class CardType { None, Kvk, Egk, Memory };
enum class KvkAid { New, Old, Both };
enum class HcaState { Active, Deactivated, Missing };
enum class EgkFile { Gdo, Vd, Pd, Gvd, StatusVd };

struct CardSetup {
    CardType type = CardType::None;
    int arrivesAfter = 0;
    // The virtual card of mktsim-vpcd leaves the reader after answering this
    // many commands (0: it stays), and comes back after backAfterMs.
    int removedAfter = 0;
    std::optional<int> backAfterMs;

    Bytes kvkRecord;
    KvkAid kvkAid = KvkAid::New;

    std::map<EgkFile, Bytes> egkFiles;
    std::set<EgkFile> protectedFiles;
    HcaState hca = HcaState::Active;
};

struct TerminalSetup {
    std::string name;
    std::vector<uint16_t> ports;
    TerminalKind kind = TerminalKind::Stationary;
    std::vector<int8_t> initResults{0}; // the last one sticks
    int8_t closeResult = 0;
    Bytes getStatus81;
    Bytes getStatus46;
    Bytes resetCt;
    Bytes usbInfo;
    std::optional<int32_t> baudrate = 9600; // nullopt: CT_get_baudrate fails
    int32_t lineSpeed = 0;                  // 0: no line time
    OutputMedium output = OutputMedium::Pc;
    LockState locked = LockState::Unlocked;
    OversizePolicy oversize = OversizePolicy::Error;
    CardSetup card;
    std::vector<Override> overrides;
};

// Reads a file named in a scenario (path relative to the scenario's folder);
// nullopt when it cannot be read.
using FileSource = std::function<std::optional<std::string>(const std::string& relativePath)>;

// The terminals and ports a simulator plays, as written in a scenario file.
struct Scenario {
    int8_t defaultPortResult = -10;
    std::map<uint16_t, std::vector<int8_t>> portResults;
    std::vector<TerminalSetup> terminals;

    // sourceName prefixes error messages ("default.scn:12: ...").
    static Loaded<Scenario> fromText(std::string_view text, const FileSource& files,
                                     std::string_view sourceName);
    // @files are read relative to baseDir.
    static Loaded<Scenario> fromText(std::string_view text, const std::string& baseDir);
    static Loaded<Scenario> fromFile(const std::string& path);
    // The scenario compiled into the library: a stationary terminal on
    // USB device 1 (pn 8192) with an eGK inserted.
    static Scenario builtIn();
};

// Files from a folder on disk.
FileSource FolderFileSource(const std::string& baseDir);

} // namespace kc::sim

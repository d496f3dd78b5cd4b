// SPDX-License-Identifier: Apache-2.0
#include "serial/ctapi_functions.h"

#include "serial/serial_terminal.h"
#include "serial/trace.h"
#include "serial/tty_line.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace kc::serial {
namespace {

// The open terminals by ctn. The table lock is held only to look a terminal
// up, so that a slow port does not hold up the others.
struct CtnTable {
    std::mutex mutex;
    std::map<uint16_t, std::shared_ptr<SerialTerminal>> open;
    std::set<uint16_t> opening;

    std::shared_ptr<SerialTerminal> find(uint16_t ctn) {
        std::lock_guard lock(mutex);
        const auto found = open.find(ctn);
        return found == open.end() ? nullptr : found->second;
    }
};

CtnTable& Table() {
    static CtnTable table;
    return table;
}

// No exception crosses into C code.
template <typename Result, typename Call> Result Guarded(Result failure, Call&& call) noexcept {
    try {
        return call();
    } catch (...) {
        return failure;
    }
}

} // namespace

int8_t Init(uint16_t ctn, uint16_t pn) {
    return Guarded<int8_t>(ERR_HTSI, [&] { return Init(ctn, pn, std::make_unique<TtyLine>()); });
}

int8_t Init(uint16_t ctn, uint16_t pn, std::unique_ptr<PortLine> line) {
    return Guarded<int8_t>(ERR_HTSI, [&]() -> int8_t {
        CtnTable& table = Table();
        {
            std::lock_guard lock(table.mutex);
            if (table.open.contains(ctn) || table.opening.contains(ctn))
                return ERR_CT;
            table.opening.insert(ctn);
        }
        auto terminal = std::make_shared<SerialTerminal>(std::move(line));
        const int8_t code = terminal->open(pn);
        std::lock_guard lock(table.mutex);
        table.opening.erase(ctn);
        if (code == OK)
            table.open.emplace(ctn, std::move(terminal));
        Trace("init ctn=" + std::to_string(ctn) + " pn=" + std::to_string(pn) + " -> " +
              std::to_string(code));
        return code;
    });
}

int8_t Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command, uint16_t* lenr,
            uint8_t* response) {
    return Guarded<int8_t>(ERR_HTSI, [&]() -> int8_t {
        if (!dad || !sad || !command || !lenr || !response || lenc == 0 || *dad > kTerminalAddress)
            return ERR_INVALID;
        const auto terminal = Table().find(ctn);
        if (!terminal)
            return ERR_INVALID;
        uint8_t source = 0;
        uint16_t length = *lenr;
        const int8_t code = terminal->data(*dad, {command, lenc}, source, length, response);
        Trace("data ctn=" + std::to_string(ctn) + " dad=" + std::to_string(*dad) + " -> " +
              std::to_string(code));
        if (code != OK)
            return code;
        *lenr = length;
        *sad = source;
        *dad = kHostAddress;
        return OK;
    });
}

int8_t Close(uint16_t ctn) {
    return Guarded<int8_t>(ERR_HTSI, [&]() -> int8_t {
        std::shared_ptr<SerialTerminal> terminal;
        {
            CtnTable& table = Table();
            std::lock_guard lock(table.mutex);
            const auto found = table.open.find(ctn);
            if (found == table.open.end())
                return ERR_INVALID;
            terminal = std::move(found->second);
            table.open.erase(found);
        }
        Trace("close ctn=" + std::to_string(ctn));
        return OK;
    });
}

int32_t GetBaudrate(uint16_t ctn, int32_t* baud) {
    return Guarded<int32_t>(-1, [&]() -> int32_t {
        const auto terminal = Table().find(ctn);
        if (!terminal || !baud)
            return -1;
        *baud = terminal->baud();
        return 0;
    });
}

} // namespace kc::serial

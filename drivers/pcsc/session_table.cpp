// SPDX-License-Identifier: Apache-2.0
#include "session_table.h"

#include "pcsc_trace.h"
#include "port_numbers.h"

#include <algorithm>
#include <cstring>
#include <ctapi.h>
#include <exception>

namespace kc::pcsc {

SessionTable& SessionTable::Process() {
    static SessionTable table;
    return table;
}

int8_t SessionTable::Open(uint16_t ctn, uint16_t pn) {
    std::lock_guard guard(lock_);
    try {
        return open(ctn, pn);
    } catch (const std::exception&) {
        return ERR_HOST;
    }
}

int8_t SessionTable::open(uint16_t ctn, uint16_t pn) {
    if (sessions_.contains(ctn))
        return ERR_CT;
    if (!IsPcscPort(pn))
        return ERR_INVALID;
    LONG result = SCARD_S_SUCCESS;
    auto context = PcscContext::Establish(result);
    if (!context)
        return ERR_HTSI;
    std::vector<std::string> readers;
    if (context->ListReaders(readers) != SCARD_S_SUCCESS)
        return ERR_HTSI;
    const auto reader = ReaderForPort(pn, std::move(readers));
    if (!reader)
        return ERR_TRANS;
    const bool inUse =
        std::ranges::any_of(sessions_, [&](const auto& open) { return open.second->reader() == *reader; });
    if (inUse)
        return ERR_CT;
    sessions_.emplace(ctn, std::make_unique<ReaderSession>(std::move(*context), *reader));
    return OK;
}

int8_t SessionTable::Data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                          uint16_t* lenr, uint8_t* response) {
    std::lock_guard guard(lock_);
    if (!dad || !sad || !lenr || !command || !response || lenc == 0)
        return ERR_INVALID;
    const auto session = sessions_.find(ctn);
    if (session == sessions_.end() || (*dad != ICC1 && *dad != CT))
        return ERR_INVALID;
    try {
        const std::span<const uint8_t> bytes(command, lenc);
        const Reply reply =
            *dad == CT ? session->second->TerminalCommand(bytes) : session->second->CardCommand(bytes);
        if (reply.code != OK)
            return reply.code;
        if (reply.bytes.size() > *lenr)
            return ERR_MEMORY;
        std::memcpy(response, reply.bytes.data(), reply.bytes.size());
        *lenr = static_cast<uint16_t>(reply.bytes.size());
        *dad = *sad;
        *sad = reply.sad;
        return OK;
    } catch (const std::exception&) {
        return ERR_HOST;
    }
}

int8_t SessionTable::Close(uint16_t ctn) {
    std::lock_guard guard(lock_);
    return sessions_.erase(ctn) ? OK : ERR_INVALID;
}

} // namespace kc::pcsc

// SPDX-License-Identifier: Apache-2.0
#include "discovery/pcsc_reader_probe.h"

#include <condition_variable>
#include <dlfcn.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kc {
namespace {

// pcsc-lite's types on Linux (winscard.h): LONG and DWORD are long-sized.
using ScardContext = long;
using EstablishContext = long (*)(unsigned long scope, const void*, const void*, ScardContext* context);
using ListReaders = long (*)(ScardContext context, const char* groups, char* readers, unsigned long* length);
using ReleaseContext = long (*)(ScardContext context);
constexpr unsigned long kScopeSystem = 2;
constexpr long kSuccess = 0;
constexpr long kNoReadersAvailable = static_cast<long>(0x8010002EL);

// What the asking thread leaves for the caller; it outlives a caller that stopped waiting.
struct Answer {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::optional<int> readers;
};

std::optional<int> AskPcscd() {
    // Never closed: a thread that still waits on pcscd may be inside it.
    void* client = dlopen("libpcsclite.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!client)
        return std::nullopt;
    const auto establish = reinterpret_cast<EstablishContext>(dlsym(client, "SCardEstablishContext"));
    const auto list = reinterpret_cast<ListReaders>(dlsym(client, "SCardListReaders"));
    const auto release = reinterpret_cast<ReleaseContext>(dlsym(client, "SCardReleaseContext"));
    if (!establish || !list || !release)
        return std::nullopt;
    ScardContext context = 0;
    if (establish(kScopeSystem, nullptr, nullptr, &context) != kSuccess)
        return std::nullopt;
    unsigned long length = 0;
    std::optional<int> readers;
    const long sized = list(context, nullptr, nullptr, &length);
    if (sized == kNoReadersAvailable) {
        readers = 0;
    } else if (sized == kSuccess) {
        std::vector<char> names(length, '\0');
        if (list(context, nullptr, names.data(), &length) == kSuccess) {
            int count = 0;
            // A multi-string: names ended by a zero each, the list by another.
            for (std::size_t i = 0; i < names.size() && names[i] != '\0';) {
                ++count;
                while (i < names.size() && names[i] != '\0')
                    ++i;
                ++i;
            }
            readers = count;
        }
    }
    release(context);
    return readers;
}

} // namespace

std::optional<int> CountPcscReaders(std::chrono::milliseconds limit) {
    const auto answer = std::make_shared<Answer>();
    std::thread([answer] {
        const std::optional<int> readers = AskPcscd();
        const std::lock_guard<std::mutex> lock(answer->mutex);
        answer->readers = readers;
        answer->finished = true;
        answer->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(answer->mutex);
    if (!answer->done.wait_for(lock, limit, [&] { return answer->finished; }))
        return std::nullopt;
    return answer->readers;
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "process_footprint.h"

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace kc::bench {
namespace {

struct DirectoryCloser {
    void operator()(DIR* folder) const { closedir(folder); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

std::string ProcFolder(pid_t pid) {
    return "/proc/" + std::to_string(pid);
}

bool IsNumber(const char* name) {
    return *name && std::strspn(name, "0123456789") == std::strlen(name);
}

// The descriptors in /proc/<pid>/fd, without the one this listing holds itself.
double OpenDescriptors(pid_t pid) {
    Directory folder(opendir((ProcFolder(pid) + "/fd").c_str()));
    if (!folder)
        return -1;
    const bool own = pid == getpid();
    const std::string listing = std::to_string(dirfd(folder.get()));
    double count = 0;
    while (const dirent* entry = readdir(folder.get()))
        if (IsNumber(entry->d_name) && !(own && listing == entry->d_name))
            ++count;
    return count;
}

double ResidentKb(pid_t pid) {
    std::ifstream status(ProcFolder(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr);
    return -1;
}

// The fourth field of /proc/<pid>/stat, after the name in parentheses (which may hold blanks).
pid_t ParentOf(const char* pid) {
    std::ifstream stat(std::string("/proc/") + pid + "/stat");
    std::string text;
    std::getline(stat, text);
    const auto nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos || nameEnd + 4 >= text.size())
        return -1;
    // ") S 1234": state letter, then the parent.
    return pid_t(std::strtol(text.c_str() + nameEnd + 4, nullptr, 10));
}

} // namespace

Footprint FootprintOf(pid_t pid) {
    const Footprint footprint{OpenDescriptors(pid), ResidentKb(pid)};
    if (footprint.fds < 0 || footprint.rssKb < 0)
        return {-1, -1};
    return footprint;
}

Footprint OwnFootprint() {
    return FootprintOf(getpid());
}

std::vector<pid_t> ChildrenOf(pid_t parent) {
    std::vector<pid_t> children;
    Directory proc(opendir("/proc"));
    if (!proc)
        return children;
    while (const dirent* entry = readdir(proc.get()))
        if (IsNumber(entry->d_name) && ParentOf(entry->d_name) == parent)
            children.push_back(pid_t(std::strtol(entry->d_name, nullptr, 10)));
    return children;
}

void ReportFootprint(benchmark::State& state, const std::string& prefix, const Footprint& start,
                     const Footprint& end) {
    state.counters[prefix + "fds_start"] = start.fds;
    state.counters[prefix + "fds_end"] = end.fds;
    state.counters[prefix + "rss_kb_start"] = start.rssKb;
    state.counters[prefix + "rss_kb_end"] = end.rssKb;
}

} // namespace kc::bench

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <benchmark/benchmark.h>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kc::bench {

// What a process holds: open descriptors and resident memory, from /proc.
struct Footprint {
    double fds = 0;
    double rssKb = 0;
};

// -1 for both when the process is gone or /proc cannot be read.
[[nodiscard]] Footprint FootprintOf(pid_t pid);
[[nodiscard]] Footprint OwnFootprint();
// The running children of parent, found by their parent pid in /proc.
[[nodiscard]] std::vector<pid_t> ChildrenOf(pid_t parent);

// Counters <prefix>fds_start, <prefix>fds_end, <prefix>rss_kb_start and <prefix>rss_kb_end.
void ReportFootprint(benchmark::State& state, const std::string& prefix, const Footprint& start,
                     const Footprint& end);

} // namespace kc::bench

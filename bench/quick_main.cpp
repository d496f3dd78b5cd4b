// SPDX-License-Identifier: Apache-2.0
// The main of benchmark programs with soak runs: those take minutes, so a run
// without a filter leaves them out; --benchmark_filter=Soak runs them alone.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

bool FilterGiven(int argc, char** argv) {
    if (std::getenv("BENCHMARK_FILTER"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with("--benchmark_filter"))
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    static char withoutSoak[] = "--benchmark_filter=-Soak";
    std::vector<char*> args(argv, argv + argc);
    if (!FilterGiven(argc, argv))
        args.insert(args.begin() + (args.empty() ? 0 : 1), withoutSoak);
    int count = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

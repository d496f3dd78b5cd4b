// SPDX-License-Identifier: Apache-2.0
// A full eGK read by the program through the serial CT-API library and the
// terminal emulator on a pseudo-terminal, against the time the same bytes
// need on a real line at 9600 bit/s, 8E1 (11 bits a byte). The pseudo-
// terminal moves bytes at once, so the wall time is the program's own share.
// The soak reads a thousand times in a row and reports what the program and
// the emulator hold before and after.
#include "base/program_folder.h"
#include "cards/read_insurance_card.h"
#include "console_io.h"
#include "console_run.h"
#include "emulator_process.h"
#include "process_footprint.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kBitsPerByte = 11.0;
constexpr double kLineSpeed = 9600.0;
constexpr int kSoakReads = 1000;

void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "serial_egk_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// The emulator with the test-lab eGK on its pseudo-terminal, the serial
// library chosen for COM 1 there, and a console that writes nowhere.
class SerialEgkReader {
  public:
    // Skips the benchmark with the reason when the emulator does not start.
    explicit SerialEgkReader(benchmark::State& state) {
        EnsureApplication();
        const std::string folder = kc::ProgramFolder().toStdString();
        std::string error;
        if (!emulator_.start(
                folder + "/mktsim-serial",
                {"--scenario", std::string(KC_SOURCE_SCENARIOS) + "/egk/stationary_test_lab_card.scn"},
                error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        setenv("KARTOCHECK_COM1", emulator_.devicePath().c_str(), 1);
        setenv("KARTOCHECK_CTAPI", (folder + "/libctapi-serial.so").c_str(), 1);
        nowhere_.reset(std::fopen("/dev/null", "r+"));
        console_ = std::make_unique<kc::cli::Console>(nowhere_.get(), nowhere_.get());
    }

    bool ready() const { return console_ != nullptr; }
    pid_t emulatorPid() const { return emulator_.pid(); }
    // Ends the emulator: the bytes it counted on the line, both ways, per read.
    double stopForLineBytes(double reads) {
        const auto bytes = kc::sim::serial::EmulatorProcess::parseLineBytes(emulator_.stop());
        return double(bytes.fromHost + bytes.toHost) / reads;
    }

    // The program's state, library helper and session, as one console command has them.
    std::unique_ptr<kc::cli::ConsoleRun> newRun() {
        kc::cli::RunOptions options;
        options.batch = true;
        return std::make_unique<kc::cli::ConsoleRun>(*console_, options, nullptr);
    }

    // One read as the read button does it, the session closed at its end.
    static bool Read(kc::cli::ConsoleRun& run) {
        const kc::ReadResult result = kc::ReadInsuranceCard(run.ctx, 1);
        if (run.session.SessionOpen())
            run.session.ResetAndCloseTerminal();
        return result == kc::ReadResult::Done;
    }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    kc::sim::serial::EmulatorProcess emulator_;
    std::unique_ptr<std::FILE, FileCloser> nowhere_;
    std::unique_ptr<kc::cli::Console> console_;
};

double SecondsSince(std::chrono::steady_clock::time_point started) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
}

void SerialEgkRead(benchmark::State& state) {
    SerialEgkReader reader(state);
    if (!reader.ready())
        return;
    double seconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        const bool done = SerialEgkReader::Read(*reader.newRun());
        seconds += SecondsSince(started);
        if (!done)
            state.SkipWithError("the eGK read failed");
    }
    const double iterations = double(state.iterations());
    const double lineBytes = reader.stopForLineBytes(iterations);
    const double lineSeconds = lineBytes * kBitsPerByte / kLineSpeed;
    state.counters["line_bytes"] = lineBytes;
    state.counters["line_ms"] = lineSeconds * 1000;
    state.counters["share_pct"] = 100 * (seconds / iterations) / lineSeconds;
}
BENCHMARK(SerialEgkRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// The helpers beside the emulator: the library's, while a run holds one.
std::vector<pid_t> HelpersBeside(pid_t emulator) {
    auto children = kc::bench::ChildrenOf(getpid());
    std::erase(children, emulator);
    return children;
}

// run_per_read 0: all reads in one run, as the window does them, with one
// helper and the serial library in it for all. 1: a run and a helper per
// read, as each console command has, so that none may be left behind. Start
// figures after one read, so that what the first read sets up for good
// (caches, the helper) is not counted as growth.
void SerialEgkSoak(benchmark::State& state) {
    const bool runPerRead = state.range(0) != 0;
    SerialEgkReader reader(state);
    if (!reader.ready())
        return;
    auto run = reader.newRun();
    if (!SerialEgkReader::Read(*run)) {
        state.SkipWithError("the first eGK read failed");
        return;
    }
    if (runPerRead)
        run.reset();
    const pid_t emulator = reader.emulatorPid();
    const auto helpers = HelpersBeside(emulator);
    if (helpers.size() != (runPerRead ? 0u : 1u)) {
        state.SkipWithError("a helper too many or too few beside the emulator");
        return;
    }
    const pid_t helper = runPerRead ? -1 : helpers.front();
    const kc::bench::Footprint ownStart = kc::bench::OwnFootprint();
    const kc::bench::Footprint emulatorStart = kc::bench::FootprintOf(emulator);
    const kc::bench::Footprint helperStart = kc::bench::FootprintOf(helper);
    const auto started = std::chrono::steady_clock::now();
    int failed = 0;
    for (auto _ : state)
        if (!SerialEgkReader::Read(runPerRead ? *reader.newRun() : *run))
            ++failed;
    const double seconds = SecondsSince(started);
    kc::bench::ReportFootprint(state, "", ownStart, kc::bench::OwnFootprint());
    kc::bench::ReportFootprint(state, "emulator_", emulatorStart, kc::bench::FootprintOf(emulator));
    if (!runPerRead)
        kc::bench::ReportFootprint(state, "helper_", helperStart, kc::bench::FootprintOf(helper));
    state.counters["helpers_end"] = double(HelpersBeside(emulator).size());
    // Every read on the line in full, not answered from what the program still holds.
    state.counters["line_bytes"] = reader.stopForLineBytes(double(state.iterations()) + 1);
    state.counters["failed"] = failed;
    state.counters["wall_s"] = seconds;
    state.counters["reads_per_s"] = double(state.iterations()) / seconds;
    if (failed)
        state.SkipWithError("eGK reads failed");
}
BENCHMARK(SerialEgkSoak)
    ->ArgName("run_per_read")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(kSoakReads);

} // namespace

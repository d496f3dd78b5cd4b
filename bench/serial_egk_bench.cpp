// SPDX-License-Identifier: Apache-2.0
// A full eGK read by the program through the serial CT-API library and the
// terminal emulator on a pseudo-terminal, against the time the same bytes
// need on a real line at 9600 bit/s, 8E1 (11 bits a byte). The pseudo-
// terminal moves bytes at once, so the wall time is the program's own share.
#include "base/program_folder.h"
#include "cards/read_insurance_card.h"
#include "console_io.h"
#include "console_run.h"
#include "emulator_process.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kBitsPerByte = 11.0;
constexpr double kLineSpeed = 9600.0;

void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "serial_egk_bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

void SerialEgkRead(benchmark::State& state) {
    EnsureApplication();
    const std::string folder = kc::ProgramFolder().toStdString();
    kc::sim::serial::EmulatorProcess emulator;
    std::string error;
    if (!emulator.start(
            folder + "/mktsim-serial",
            {"--scenario", std::string(KC_SOURCE_SCENARIOS) + "/egk/stationary_test_lab_card.scn"}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    setenv("KARTOCHECK_COM1", emulator.devicePath().c_str(), 1);
    setenv("KARTOCHECK_CTAPI", (folder + "/libctapi-serial.so").c_str(), 1);
    std::FILE* nowhere = std::fopen("/dev/null", "r+");
    kc::cli::Console console(nowhere, nowhere);

    double seconds = 0;
    for (auto _ : state) {
        const auto started = std::chrono::steady_clock::now();
        kc::cli::RunOptions options;
        options.batch = true;
        kc::cli::ConsoleRun run(console, options, nullptr);
        const kc::ReadResult result = kc::ReadInsuranceCard(run.ctx, 1);
        if (run.session.SessionOpen())
            run.session.ResetAndCloseTerminal();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (result != kc::ReadResult::Done)
            state.SkipWithError("the eGK read failed");
    }
    const auto bytes = kc::sim::serial::EmulatorProcess::parseLineBytes(emulator.stop());
    std::fclose(nowhere);
    const double iterations = double(state.iterations());
    const double lineBytes = double(bytes.fromHost + bytes.toHost) / iterations;
    const double lineSeconds = lineBytes * kBitsPerByte / kLineSpeed;
    state.counters["line_bytes"] = lineBytes;
    state.counters["line_ms"] = lineSeconds * 1000;
    state.counters["share_pct"] = 100 * (seconds / iterations) / lineSeconds;
}

} // namespace

BENCHMARK(SerialEgkRead)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK_MAIN();

// SPDX-License-Identifier: Apache-2.0
// One READ BINARY of 254 bytes from EF.VD of the default scenario's eGK:
// through the PC/SC CT-API library, a private pcscd and mktsim-vpcd as the
// card in a vpcd reader, against the same command on the simulator engine
// in-process. The difference is what PC/SC and the virtual reader cost.
#include "private_pcscd.h"
#include "sim/simulator.h"

#include <benchmark/benchmark.h>
#include <ctapi.h>
#include <vector>

namespace {

constexpr uint16_t kCtn = 1;
const std::vector<uint8_t> kRequestIcc{0x20, 0x12, 0x01, 0x00, 0x01, 0x01};
const std::vector<uint8_t> kSelectHca{0x00, 0xA4, 0x04, 0x0C, 0x06, 0xD2, 0x76, 0x00, 0x00, 0x01, 0x02};
const std::vector<uint8_t> kSelectVd{0x00, 0xA4, 0x02, 0x0C, 0x02, 0xD0, 0x02};
const std::vector<uint8_t> kReadBinary{0x00, 0xB0, 0x00, 0x08, 0xFE};

// The reader with its card, set up once for the whole run.
struct PcscReader {
    std::string whyNot;
    std::unique_ptr<kc::test::PrivatePcscd> pcscd;
    std::optional<kc::test::ChildProcess> card;
    bool open = false;

    PcscReader() {
        pcscd = kc::test::PrivatePcscd::Start(whyNot);
        if (!pcscd)
            return;
        card =
            pcscd->InsertCard(KC_BUILD_BIN_DIR "/mktsim-vpcd", KC_SOURCE_SCENARIOS "/default.scn", 0, whyNot);
        if (!card || !pcscd->WaitForCard(0, true, std::chrono::seconds(10))) {
            whyNot = "the virtual card did not come into the reader: " + whyNot;
            return;
        }
        open = CT_init(kCtn, 0x2000) == OK;
        if (!open)
            whyNot = "CT_init on the virtual reader failed";
    }
    ~PcscReader() {
        if (open)
            CT_close(kCtn);
    }
};

int8_t Data(uint8_t dad, const std::vector<uint8_t>& command, std::vector<uint8_t>& response) {
    uint8_t destination = dad;
    uint8_t source = HOST;
    std::vector<uint8_t> copy = command;
    response.resize(258);
    uint16_t length = static_cast<uint16_t>(response.size());
    const int8_t code = CT_data(kCtn, &destination, &source, static_cast<uint16_t>(copy.size()), copy.data(),
                                &length, response.data());
    response.resize(code == OK ? length : 0);
    return code;
}

void BM_ReadBinaryThroughPcscd(benchmark::State& state) {
    static PcscReader reader;
    if (!reader.open) {
        state.SkipWithError(reader.whyNot.c_str());
        return;
    }
    std::vector<uint8_t> response;
    if (Data(CT, kRequestIcc, response) != OK || Data(ICC1, kSelectHca, response) != OK ||
        Data(ICC1, kSelectVd, response) != OK) {
        state.SkipWithError("selecting EF.VD failed");
        return;
    }
    for (auto _ : state) {
        if (Data(ICC1, kReadBinary, response) != OK || response.size() != 256) {
            state.SkipWithError("READ BINARY failed");
            return;
        }
    }
}
BENCHMARK(BM_ReadBinaryThroughPcscd)->Unit(benchmark::kMicrosecond);

void BM_ReadBinaryInProcessSimulator(benchmark::State& state) {
    kc::sim::Simulator simulator = kc::sim::Simulator::builtIn();
    simulator.setExchangeLogging(false);
    simulator.init(kCtn, 0x2000);
    simulator.transmit(kCtn, CT, "201201000101");
    simulator.transmit(kCtn, ICC1, "00A4040C06D27600000102");
    simulator.transmit(kCtn, ICC1, "00A4020C02D002");
    std::vector<uint8_t> response(258);
    for (auto _ : state) {
        uint8_t dad = ICC1;
        uint8_t sad = HOST;
        uint16_t length = static_cast<uint16_t>(response.size());
        if (simulator.data(kCtn, &dad, &sad, static_cast<uint16_t>(kReadBinary.size()), kReadBinary.data(),
                           &length, response.data()) != OK ||
            length != 256) {
            state.SkipWithError("READ BINARY failed");
            return;
        }
    }
}
BENCHMARK(BM_ReadBinaryInProcessSimulator)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

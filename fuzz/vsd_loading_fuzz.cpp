// SPDX-License-Identifier: Apache-2.0
// The VSD loader on raw bytes (gzip or plain). The first byte chooses the
// document kind (bits 0-1: VD, PD, GVD) and validation against the installed schema (bit 2).
#include "egk/schema_texts.h"
#include "egk/vsd_loading.h"
#include "fuzz_bench.h"
#include "fuzz_input.h"

namespace {

const QString& InstalledSchema() {
    static const QString text = kc::SchemaTextFromFile(QStringLiteral(KC_FUZZ_SCHEMA));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    const uint8_t choice = input.byte();
    kc::fuzz::FuzzBench bench;
    bench.state.ValidationEnabled = (choice & 4) != 0;
    bench.state.SchemaTextVd = bench.state.SchemaTextPd = bench.state.SchemaTextGvd = InstalledSchema();
    kc::fuzz::LoadDocumentOfKind(bench, choice & 3, input.rest());
    return 0;
}

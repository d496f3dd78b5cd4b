// SPDX-License-Identifier: Apache-2.0
// The walk over a handheld's status and extended data, on raw bytes, with
// what the reader derives from it afterwards.
#include "egk/mobile_status_walk.h"
#include "fuzz_input.h"

// The reader keeps at most this many bytes of a handheld's status file, so
// longer inputs are refused rather than walked: they only slow the search.
constexpr size_t kStatusRoom = 256;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kStatusRoom)
        return -1;
    kc::fuzz::FuzzInput input(data, size);
    kc::MobileVsdRecord record = kc::PresetMobileVsdRecord();
    const kc::StatusWalk walk = kc::WalkMobileStatusData(input.rest(), record);
    // Crashes are what is looked for here, not the answers.
    static_cast<void>(kc::MobileChecksumMatches(record, walk.xorSum));
    kc::ReadDateField(record[kc::ReadDateText]);
    kc::ApprovalNumberField(record[kc::ReadDateText], record[kc::ApprovalText]);
    return 0;
}

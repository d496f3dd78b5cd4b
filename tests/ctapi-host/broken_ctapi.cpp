// SPDX-License-Identifier: Apache-2.0
// A CT-API library that misbehaves on READ BINARY in the one way chosen when
// it is built, or lacks CT_close; every other command gets 90 00 from the
// unit addressed.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

#define KC_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr uint8_t kReadBinary = 0xB0;
[[maybe_unused]] constexpr uint16_t kOverrunSize = 20000;
#if defined(BROKEN_HUGE_LENR)
constexpr uint16_t kReadBinaryLength = 0xFFFF; // with only 90 00 written
#else
constexpr uint16_t kReadBinaryLength = 2;
#endif

void Misbehave([[maybe_unused]] uint16_t* lenr, [[maybe_unused]] uint8_t* response) {
#if defined(BROKEN_SLEEPS)
    for (;;)
        pause();
#elif defined(BROKEN_EXITS)
    std::exit(1);
#elif defined(BROKEN_SEGFAULTS)
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
#elif defined(BROKEN_OVERRUNS)
    // Past any lenr the program passes, and says so.
    std::memset(response, 0xEE, kOverrunSize);
    *lenr = kOverrunSize;
#endif
}

} // namespace

KC_EXPORT int8_t CT_init(uint16_t, uint16_t) {
    return 0;
}

KC_EXPORT int8_t CT_data(uint16_t, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                         uint16_t* lenr, uint8_t* response) {
    *sad = *dad;
    *dad = 2;
    const bool read = lenc >= 2 && command[1] == kReadBinary;
    response[0] = 0x90;
    response[1] = 0x00;
    *lenr = read ? kReadBinaryLength : 2;
    if (read)
        Misbehave(lenr, response);
    return 0;
}

#if !defined(BROKEN_NO_CLOSE)
KC_EXPORT int8_t CT_close(uint16_t) {
    return 0;
}
#endif

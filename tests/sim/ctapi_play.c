// SPDX-License-Identifier: Apache-2.0
/* A plain CT-API client: loads LIBRARY through dlopen, as the program does,
 * plays each CALL on ctn 1 with PREFIX_init, PREFIX_data and PREFIX_close,
 * prints "CALL -> RESULT" and fails when a call gave another RESULT than named.
 *   ctapi_play LIBRARY CT|CTDEZAVT1 CALL[=RESULT]...
 *   init:PN -> CODE   close -> CODE   baud -> CODE BAUD   symbol:NAME -> present|absent
 *   DAD:HEX -> CODE on failure, else RESPONSE SAD */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

typedef int8_t (*InitFn)(uint16_t, uint16_t);
typedef int8_t (*DataFn)(uint16_t, uint8_t*, uint8_t*, uint16_t, uint8_t*, uint16_t*, uint8_t*);
typedef int8_t (*CloseFn)(uint16_t);
typedef int32_t (*BaudFn)(uint16_t, int32_t*);

static void* library;
static const char* prefix;

static void* function(const char* name) {
    char symbol[64];
    snprintf(symbol, sizeof symbol, "%s_%s", prefix, name);
    return dlsym(library, symbol);
}

/* Plays one call and writes what it gave into result; 0 when the call cannot be made. */
static int play(const char* call, char* result, size_t room) {
    unsigned pn = 0, dad = 0;
    char name[64];
    if (sscanf(call, "symbol:%63s", name) == 1)
        return snprintf(result, room, "%s", dlsym(library, name) ? "present" : "absent");
    if (sscanf(call, "init:%u", &pn) == 1) {
        InitFn init = (InitFn)function("init");
        return init && snprintf(result, room, "%d", init(1, (uint16_t)pn));
    }
    if (strcmp(call, "close") == 0) {
        CloseFn close = (CloseFn)function("close");
        return close && snprintf(result, room, "%d", close(1));
    }
    if (strcmp(call, "baud") == 0) {
        BaudFn baudrate = (BaudFn)dlsym(library, "CT_get_baudrate");
        int32_t baud = -1;
        const int code = baudrate ? baudrate(1, &baud) : 0;
        return baudrate && snprintf(result, room, "%d %d", code, baud);
    }
    DataFn data = (DataFn)function("data");
    const char* hex = strchr(call, ':');
    if (!data || !hex || sscanf(call, "%u", &dad) != 1)
        return 0;
    uint8_t command[300], response[4098], sad = 2, to = (uint8_t)dad;
    uint16_t lenc = 0, lenr = sizeof response;
    for (unsigned value = 0; lenc < sizeof command && sscanf(hex + 1 + 2 * lenc, "%2x", &value) == 1; ++lenc)
        command[lenc] = (uint8_t)value;
    const int code = data(1, &to, &sad, lenc, command, &lenr, response);
    if (code != 0)
        return snprintf(result, room, "%d", code);
    for (uint16_t k = 0; k < lenr && 2u * k + 3 < room; ++k)
        snprintf(result + 2 * k, 3, "%02X", response[k]);
    return snprintf(result + strlen(result), room - strlen(result), " %d", sad);
}

int main(int argc, char** argv) {
    if (argc < 3 || !(library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL))) {
        fprintf(stderr, "usage: %s LIBRARY PREFIX CALL[=RESULT]... (%s)\n", argv[0],
                argc < 3 ? "" : dlerror());
        return 2;
    }
    prefix = argv[2];
    int failures = 0;
    for (int i = 3; i < argc; ++i) {
        char call[700], result[8300] = "";
        const char* expected = strchr(argv[i], '=');
        snprintf(call, sizeof call, "%.*s", expected ? (int)(expected - argv[i]) : (int)strlen(argv[i]),
                 argv[i]);
        const int played = play(call, result, sizeof result);
        printf("%s -> %s\n", call, result);
        fflush(stdout);
        if (!played || (expected && strcmp(result, expected + 1) != 0)) {
            fprintf(stderr, "FAILED: %s gave '%s'\n", argv[i], result);
            ++failures;
        }
    }
    dlclose(library);
    return failures == 0 ? 0 : 1;
}

/* Loads a simulator library the way the program does, through dlopen, and
 * checks that it answers on its scenario's port.
 *
 *   dlopen_smoke <library> full     both name sets and CT_get_baudrate, default scenario
 *   dlopen_smoke <library> std      standard names only
 *   dlopen_smoke <library> broken   CTDEZAVT1_init only
 *   dlopen_smoke <library> kvk      MKTSIM_SCENARIO names kvk-com2.scn
 *
 * Exit code 0 when every check passed. */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

typedef int8_t (*InitFn)(uint16_t, uint16_t);
typedef int8_t (*DataFn)(uint16_t, uint8_t*, uint8_t*, uint16_t, uint8_t*, uint16_t*, uint8_t*);
typedef int8_t (*CloseFn)(uint16_t);
typedef int32_t (*BaudFn)(uint16_t, int32_t*);

static int failures = 0;

static void check(int ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

static void* symbol(void* library, const char* name) {
    void* address = dlsym(library, name);
    if (!address)
        fprintf(stderr, "missing symbol %s\n", name);
    return address;
}

/* Sends a hex command; returns the CT-API code and fills sw and sad. */
static int transmit(DataFn data, uint8_t dad, const char* hex, char sw[5], uint8_t* sadOut,
                    uint16_t* lenOut) {
    uint8_t command[64];
    uint8_t response[4098];
    uint16_t lenc = (uint16_t)(strlen(hex) / 2);
    for (uint16_t i = 0; i < lenc; ++i) {
        unsigned value = 0;
        sscanf(hex + 2 * i, "%2x", &value);
        command[i] = (uint8_t)value;
    }
    uint8_t sad = 2;
    uint16_t lenr = sizeof response;
    int code = data(1, &dad, &sad, lenc, command, &lenr, response);
    sw[0] = '\0';
    if (code == 0 && lenr >= 2)
        snprintf(sw, 5, "%02X%02X", response[lenr - 2], response[lenr - 1]);
    if (sadOut)
        *sadOut = sad;
    if (lenOut)
        *lenOut = lenr;
    return code;
}

static void fullLibrary(void* library) {
    InitFn init = (InitFn)symbol(library, "CTDEZAVT1_init");
    DataFn data = (DataFn)symbol(library, "CTDEZAVT1_data");
    CloseFn close = (CloseFn)symbol(library, "CTDEZAVT1_close");
    BaudFn baudrate = (BaudFn)symbol(library, "CT_get_baudrate");
    InitFn stdInit = (InitFn)symbol(library, "CT_init");
    check(symbol(library, "CT_data") && symbol(library, "CT_close"), "standard data and close exported");
    if (!init || !data || !close || !baudrate || !stdInit) {
        ++failures;
        return;
    }
    char sw[5];
    uint8_t sad = 0;
    uint16_t length = 0;
    check(stdInit(1, 1) == -10, "COM 1 has nothing attached (-10)");
    check(init(1, 8192) == 0, "USB device 1 opens");
    check(init(1, 8192) == -8, "a second open of ctn 1 fails");
    int32_t baud = -1;
    check(baudrate(1, &baud) == 0 && baud == 9600, "CT_get_baudrate gives 9600");
    check(transmit(data, 1, "2011000000", sw, &sad, NULL) == 0 && strcmp(sw, "9000") == 0 && sad == 1,
          "RESET CT answers 9000 from the terminal");
    check(transmit(data, 1, "2013008100", sw, &sad, NULL) == 0 && strcmp(sw, "9000") == 0,
          "GET STATUS answers 9000");
    check(transmit(data, 1, "2013004600", sw, NULL, &length) == 0 && strcmp(sw, "9000") == 0 && length == 19,
          "manufacturer data: 46 0F + 15 bytes + 9000");
    check(transmit(data, 1, "201201000101", sw, NULL, NULL) == 0 && strcmp(sw, "9001") == 0,
          "REQUEST ICC finds an eGK (9001)");
    check(transmit(data, 0, "00A4040C06D27600000102", sw, &sad, NULL) == 0 && strcmp(sw, "9000") == 0 &&
              sad == 0,
          "SELECT DF.HCA answers 9000 from the card");
    check(close(1) == 0, "close");
    check(close(1) == -1, "closing again fails with -1");
    check(transmit(data, 1, "2011000000", sw, NULL, NULL) == -1, "CT_data without a session fails with -1");
}

static void standardNamesOnly(void* library) {
    check(dlsym(library, "CTDEZAVT1_init") == NULL, "no CTDEZAVT1_init");
    check(dlsym(library, "CT_get_baudrate") == NULL, "no CT_get_baudrate");
    InitFn init = (InitFn)symbol(library, "CT_init");
    DataFn data = (DataFn)symbol(library, "CT_data");
    CloseFn close = (CloseFn)symbol(library, "CT_close");
    if (!init || !data || !close) {
        ++failures;
        return;
    }
    char sw[5];
    check(init(1, 8192) == 0, "CT_init on USB device 1");
    check(transmit(data, 1, "2011000000", sw, NULL, NULL) == 0 && strcmp(sw, "9000") == 0, "RESET CT");
    check(close(1) == 0, "CT_close");
}

static void brokenLibrary(void* library) {
    InitFn init = (InitFn)symbol(library, "CTDEZAVT1_init");
    check(dlsym(library, "CTDEZAVT1_data") == NULL, "no CTDEZAVT1_data");
    check(dlsym(library, "CTDEZAVT1_close") == NULL, "no CTDEZAVT1_close");
    check(dlsym(library, "CT_init") == NULL, "no CT_init");
    check(init && init(1, 8192) == 0, "CTDEZAVT1_init still works");
}

static void kvkScenario(void* library) {
    InitFn init = (InitFn)symbol(library, "CTDEZAVT1_init");
    DataFn data = (DataFn)symbol(library, "CTDEZAVT1_data");
    CloseFn close = (CloseFn)symbol(library, "CTDEZAVT1_close");
    if (!init || !data || !close) {
        ++failures;
        return;
    }
    char sw[5];
    uint16_t length = 0;
    check(init(1, 8192) == -10, "nothing on USB in this scenario");
    check(init(1, 3) == -127, "COM 3 in use");
    check(init(1, 2) == 0, "KVK terminal on COM 2");
    check(transmit(data, 1, "201201000101", sw, NULL, NULL) == 0 && strcmp(sw, "9000") == 0,
          "REQUEST ICC 9000");
    check(transmit(data, 0, "00A4040006D27600000101", sw, NULL, NULL) == 0 && strcmp(sw, "9000") == 0,
          "SELECT KVK application");
    check(transmit(data, 0, "00B0000000", sw, NULL, &length) == 0 && strcmp(sw, "9000") == 0 && length == 144,
          "READ BINARY gives the 142-byte record");
    check(close(1) == 0, "close");
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s <library> full|std|broken|kvk\n", argv[0]);
        return 2;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "dlopen failed: %s\n", dlerror());
        return 1;
    }
    if (strcmp(argv[2], "full") == 0)
        fullLibrary(library);
    else if (strcmp(argv[2], "std") == 0)
        standardNamesOnly(library);
    else if (strcmp(argv[2], "broken") == 0)
        brokenLibrary(library);
    else if (strcmp(argv[2], "kvk") == 0)
        kvkScenario(library);
    else
        return 2;
    dlclose(library);
    if (failures == 0)
        printf("all checks passed\n");
    return failures == 0 ? 0 : 1;
}

/* A plain CT-API client: loads a library, opens ctn on pn, sends each
 * command and prints one line per call. The same client drives our serial
 * library and Debian's libctapimkt, so their outputs can be compared.
 *
 *   ctapi_client LIBRARY CTN PN DAD:HEX...
 *   init -> 0
 *   1 2011000000 -> 0 sad=1 9000
 */
#include <ctapi.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef int8_t (*InitFunction)(uint16_t, uint16_t);
typedef int8_t (*DataFunction)(uint16_t, uint8_t*, uint8_t*, uint16_t, uint8_t*, uint16_t*, uint8_t*);
typedef int8_t (*CloseFunction)(uint16_t);

static int HexValue(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    return -1;
}

/* Returns the byte count, or -1 for text that is not an even run of hex digits. */
static int ParseHex(const char* text, uint8_t* bytes, int room) {
    const size_t length = strlen(text);
    if (length % 2 != 0 || (int)(length / 2) > room)
        return -1;
    for (size_t i = 0; i < length; i += 2) {
        const int high = HexValue(text[i]);
        const int low = HexValue(text[i + 1]);
        if (high < 0 || low < 0)
            return -1;
        bytes[i / 2] = (uint8_t)(high * 16 + low);
    }
    return (int)(length / 2);
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: ctapi_client LIBRARY CTN PN DAD:HEX...\n");
        return 64;
    }
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 2;
    }
    InitFunction init = (InitFunction)dlsym(library, "CT_init");
    DataFunction data = (DataFunction)dlsym(library, "CT_data");
    CloseFunction close = (CloseFunction)dlsym(library, "CT_close");
    if (!init || !data || !close) {
        fprintf(stderr, "%s lacks the CT-API functions\n", argv[1]);
        return 2;
    }
    const uint16_t ctn = (uint16_t)atoi(argv[2]);
    const int8_t opened = init(ctn, (uint16_t)atoi(argv[3]));
    printf("init -> %d\n", opened);
    fflush(stdout);
    if (opened != OK)
        return 1;
    for (int i = 4; i < argc; ++i) {
        uint8_t command[300];
        uint8_t response[4096];
        const char* colon = strchr(argv[i], ':');
        const int length = colon ? ParseHex(colon + 1, command, (int)sizeof command) : -1;
        if (length <= 0) {
            fprintf(stderr, "bad command %s\n", argv[i]);
            return 64;
        }
        uint8_t dad = (uint8_t)atoi(argv[i]);
        uint8_t sad = HOST;
        uint16_t lenr = (uint16_t)sizeof response;
        const int8_t code = data(ctn, &dad, &sad, (uint16_t)length, command, &lenr, response);
        printf("%s -> %d", argv[i], code);
        if (code == OK) {
            printf(" sad=%d ", sad);
            for (uint16_t k = 0; k < lenr; ++k)
                printf("%02X", response[k]);
        }
        printf("\n");
        fflush(stdout);
    }
    printf("close -> %d\n", close(ctn));
    return 0;
}

#include "cards/egk_read_hook.h"

#include "cards/egk_readers.h"

namespace kc {
namespace {

EgkReadHook* gInstalled = nullptr;

EgkReadHook& BuiltInEgkReadHook() {
    static EgkReaders readers;
    return readers;
}

} // namespace

int16_t NoEgkReader::ReadEgkFromCard(Context&, uint16_t) {
    return -1;
}
int16_t NoEgkReader::ReadEgkFromMobileTerminal(Context&, int) {
    return -1;
}

EgkReadHook& DefaultEgkReadHook() {
    return gInstalled ? *gInstalled : BuiltInEgkReadHook();
}

void InstallEgkReadHook(EgkReadHook* hook) {
    gInstalled = hook;
}

} // namespace kc

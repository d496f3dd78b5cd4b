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

ReadResult NoEgkReader::ReadEgkFromCard(Context&, uint16_t) {
    return ReadResult::Failed;
}
ReadResult NoEgkReader::ReadEgkFromMobileTerminal(Context&, int) {
    return ReadResult::Failed;
}

EgkReadHook& DefaultEgkReadHook() {
    return gInstalled ? *gInstalled : BuiltInEgkReadHook();
}

void InstallEgkReadHook(EgkReadHook* hook) {
    gInstalled = hook;
}

} // namespace kc

// SPDX-License-Identifier: Apache-2.0
// kartocheck-ctapi-host LIBRARY: loads a CT-API library and answers the
// program's requests on descriptor 3 until the program closes its end. When
// the library crashes or exits, only this process goes; when it hangs, the
// program ends this process.
#include "frame_channel.h"
#include "library_calls.h"
#include "terminal/ctapi_library.h"

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>

namespace {

constexpr int kUsageStatus = 64;
constexpr int kLostProgramStatus = 1;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: kartocheck-ctapi-host BIBLIOTHEK (vom Programm gestartet)\n");
        return kUsageStatus;
    }
    // Go with the program even while the library never returns.
    prctl(PR_SET_PDEATHSIG, SIGKILL);

    kc::LibraryFault fault = kc::LibraryFault::None;
    const auto library = kc::CtApiLibrary::load(argv[1], fault);
    kc::host::FrameChannel channel(kc::host::kSocketFd);
    if (!channel.write(kc::host::EncodeFrame(kc::host::LoadAnswer{fault})))
        return kLostProgramStatus;
    if (!library)
        return 0;

    kc::host::LibraryCalls calls(*library);
    while (const auto request = channel.read()) {
        if (!channel.write(kc::host::EncodeFrame(calls.answer(*request))))
            return kLostProgramStatus;
    }
    return 0;
}

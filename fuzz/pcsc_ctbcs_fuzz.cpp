// SPDX-License-Identifier: Apache-2.0
// The PC/SC library's sessions with pcscd played by the input: CT-BCS and
// card commands on one reader. First byte: bit 0 picks the second of two
// readers, bits 1-4 the number of commands. Per command: dad, a 16-bit lenr,
// a length byte and the command. Then every pcsc-lite call takes a result
// byte (0 success, else one of the failures below) and, on success, what
// it hands back: a protocol byte (connect, reconnect), an ATR length byte
// and the ATR (status), a 16-bit state (status change), a 16-bit length and
// the response (transmit). Past the end pcscd answers "timeout" to waits and
// fails everything else, so no input waits real time.
#include "fuzz_commands.h"
#include "pcsc_functions.h"
#include "session_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

kc::fuzz::FuzzInput* played = nullptr;

constexpr LONG kFailures[] = {SCARD_E_NO_SMARTCARD,
                              SCARD_W_REMOVED_CARD,
                              SCARD_W_UNPOWERED_CARD,
                              SCARD_W_UNRESPONSIVE_CARD,
                              SCARD_W_RESET_CARD,
                              SCARD_E_PROTO_MISMATCH,
                              SCARD_E_NOT_TRANSACTED,
                              SCARD_E_NO_SERVICE,
                              SCARD_E_SERVICE_STOPPED,
                              SCARD_E_INVALID_HANDLE,
                              SCARD_E_TIMEOUT,
                              SCARD_F_COMM_ERROR,
                              SCARD_E_INSUFFICIENT_BUFFER,
                              SCARD_E_NO_READERS_AVAILABLE,
                              SCARD_E_SHARING_VIOLATION};

LONG Result(LONG whenOver = SCARD_F_COMM_ERROR) {
    if (played->empty())
        return whenOver;
    const uint8_t chosen = played->byte();
    return chosen == 0 ? SCARD_S_SUCCESS : kFailures[(chosen - 1) % std::size(kFailures)];
}

DWORD Protocol() {
    const uint8_t chosen = played->byte() % 3;
    return chosen == 0 ? SCARD_PROTOCOL_T0 : chosen == 1 ? SCARD_PROTOCOL_T1 : SCARD_PROTOCOL_RAW;
}

// Copies what pcscd hands back, never more than the caller's buffer holds.
DWORD Fill(const QByteArray& bytes, LPBYTE out, DWORD room) {
    const auto length = std::min<DWORD>(DWORD(bytes.size()), room);
    std::memcpy(out, bytes.constData(), length);
    return length;
}

const char kReaders[] = "Lesegeraet A 00 00\0Lesegeraet B 01 00\0";

kc::pcsc::PcscFunctions PlayedPcscd() {
    kc::pcsc::PcscFunctions f;
    f.establishContext = [](DWORD, LPCVOID, LPCVOID, LPSCARDCONTEXT context) {
        *context = 1;
        return SCARD_S_SUCCESS;
    };
    f.releaseContext = [](SCARDCONTEXT) { return SCARD_S_SUCCESS; };
    f.listReaders = [](SCARDCONTEXT, LPCSTR, LPSTR names, LPDWORD length) {
        if (names && *length < sizeof kReaders)
            return LONG(SCARD_E_INSUFFICIENT_BUFFER);
        if (names)
            std::memcpy(names, kReaders, sizeof kReaders);
        *length = sizeof kReaders;
        return SCARD_S_SUCCESS;
    };
    f.getStatusChange = [](SCARDCONTEXT, DWORD, SCARD_READERSTATE* states, DWORD) {
        const LONG result = Result(SCARD_E_TIMEOUT);
        if (result == SCARD_S_SUCCESS)
            states->dwEventState = played->word();
        return result;
    };
    f.connect = [](SCARDCONTEXT, LPCSTR, DWORD, DWORD, LPSCARDHANDLE handle, LPDWORD protocol) {
        const LONG result = Result();
        if (result == SCARD_S_SUCCESS) {
            *handle = 2;
            *protocol = Protocol();
        }
        return result;
    };
    f.reconnect = [](SCARDHANDLE, DWORD, DWORD, DWORD, LPDWORD protocol) {
        const LONG result = Result();
        if (result == SCARD_S_SUCCESS)
            *protocol = Protocol();
        return result;
    };
    f.disconnect = [](SCARDHANDLE, DWORD) { return SCARD_S_SUCCESS; };
    f.status = [](SCARDHANDLE, LPSTR, LPDWORD, LPDWORD state, LPDWORD protocol, LPBYTE atr,
                  LPDWORD atrLength) {
        const LONG result = Result();
        if (result == SCARD_S_SUCCESS) {
            *state = SCARD_SPECIFIC;
            *protocol = Protocol();
            *atrLength = Fill(played->bytes(played->byte()), atr, *atrLength);
        }
        return result;
    };
    f.transmit = [](SCARDHANDLE, const SCARD_IO_REQUEST*, LPCBYTE, DWORD, SCARD_IO_REQUEST*, LPBYTE response,
                    LPDWORD length) {
        const LONG result = Result();
        if (result == SCARD_S_SUCCESS)
            *length = Fill(played->bytes(played->word()), response, *length);
        return result;
    };
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kc::fuzz::FuzzInput input(data, size);
    played = &input;
    static const kc::pcsc::PcscFunctions pcscd = PlayedPcscd();
    kc::pcsc::Pcsc() = pcscd;

    const uint8_t setup = input.byte();
    const auto commands = kc::fuzz::ReadCommands(input, setup >> 1 & 15);
    constexpr uint16_t ctn = 3;
    kc::pcsc::SessionTable sessions;
    if (sessions.Open(ctn, uint16_t(0x2000 + (setup & 1))) != 0)
        return 0;
    kc::fuzz::SendCommands(commands, [&](uint8_t* dad, uint8_t* sad, uint16_t lenc, const uint8_t* command,
                                         uint16_t* lenr, uint8_t* response) {
        return sessions.Data(ctn, dad, sad, lenc, command, lenr, response);
    });
    static_cast<void>(sessions.Close(ctn));
    return 0;
}

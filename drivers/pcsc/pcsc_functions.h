// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <winscard.h>

namespace kc::pcsc {

// The pcsc-lite calls the library makes, in one table, so that a test can
// answer in pcscd's place.
struct PcscFunctions {
    decltype(&SCardEstablishContext) establishContext = &SCardEstablishContext;
    decltype(&SCardReleaseContext) releaseContext = &SCardReleaseContext;
    decltype(&SCardListReaders) listReaders = &SCardListReaders;
    decltype(&SCardGetStatusChange) getStatusChange = &SCardGetStatusChange;
    decltype(&SCardConnect) connect = &SCardConnect;
    decltype(&SCardReconnect) reconnect = &SCardReconnect;
    decltype(&SCardDisconnect) disconnect = &SCardDisconnect;
    decltype(&SCardStatus) status = &SCardStatus;
    decltype(&SCardTransmit) transmit = &SCardTransmit;
};

// The table in use: pcsc-lite's own functions unless a test put others in.
PcscFunctions& Pcsc();

} // namespace kc::pcsc

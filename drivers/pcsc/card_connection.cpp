// SPDX-License-Identifier: Apache-2.0
#include "card_connection.h"

#include "pcsc_functions.h"
#include "pcsc_trace.h"

namespace kc::pcsc {

namespace {

constexpr DWORD kProtocols = SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1;
constexpr int kMostGetResponses = 64;

const char* ProtocolName(DWORD protocol) {
    return protocol == SCARD_PROTOCOL_T0 ? "T=0" : protocol == SCARD_PROTOCOL_T1 ? "T=1" : "raw";
}

} // namespace

LONG CardConnection::Connect(SCARDCONTEXT context, const std::string& reader,
                             std::optional<CardConnection>& out) {
    SCARDHANDLE handle = 0;
    DWORD protocol = 0;
    LONG result = Pcsc().connect(context, reader.c_str(), SCARD_SHARE_SHARED, kProtocols, &handle, &protocol);
    TracePcscCall("SCardConnect(" + reader + ", shared, T=0|T=1)", result,
                  result == SCARD_S_SUCCESS ? std::string("protocol ") + ProtocolName(protocol)
                                            : std::string());
    if (result != SCARD_S_SUCCESS)
        return result;
    CardConnection connection(handle, protocol, reader);
    result = connection.readAtr();
    if (result != SCARD_S_SUCCESS)
        return result;
    out.emplace(std::move(connection));
    return SCARD_S_SUCCESS;
}

CardConnection::CardConnection(CardConnection&& other) noexcept
    : handle_(other.handle_), protocol_(other.protocol_), reader_(std::move(other.reader_)),
      atr_(std::move(other.atr_)), owned_(other.owned_) {
    other.owned_ = false;
}

CardConnection& CardConnection::operator=(CardConnection&& other) noexcept {
    if (this != &other) {
        Disconnect(SCARD_LEAVE_CARD);
        handle_ = other.handle_;
        protocol_ = other.protocol_;
        reader_ = std::move(other.reader_);
        atr_ = std::move(other.atr_);
        owned_ = other.owned_;
        other.owned_ = false;
    }
    return *this;
}

CardConnection::~CardConnection() {
    Disconnect(SCARD_LEAVE_CARD);
}

void CardConnection::Disconnect(DWORD disposition) {
    if (!owned_)
        return;
    owned_ = false;
    const char* how = disposition == SCARD_UNPOWER_CARD ? "unpower"
                      : disposition == SCARD_RESET_CARD ? "reset"
                      : disposition == SCARD_EJECT_CARD ? "eject"
                                                        : "leave";
    TracePcscCall(std::string("SCardDisconnect(") + how + ")", Pcsc().disconnect(handle_, disposition));
}

LONG CardConnection::readAtr() {
    BYTE atr[MAX_ATR_SIZE];
    DWORD atrLength = sizeof atr;
    DWORD state = 0;
    DWORD nameLength = 0;
    const LONG result = Pcsc().status(handle_, nullptr, &nameLength, &state, &protocol_, atr, &atrLength);
    atr_.assign(atr, atr + (result == SCARD_S_SUCCESS ? atrLength : 0));
    TracePcscCall("SCardStatus()", result, "atr=" + ctapi::ToHex(atr_));
    return result;
}

LONG CardConnection::Reset() {
    LONG result = Pcsc().reconnect(handle_, SCARD_SHARE_SHARED, kProtocols, SCARD_RESET_CARD, &protocol_);
    TracePcscCall("SCardReconnect(shared, T=0|T=1, reset)", result,
                  result == SCARD_S_SUCCESS ? std::string("protocol ") + ProtocolName(protocol_)
                                            : std::string());
    return result == SCARD_S_SUCCESS ? readAtr() : result;
}

LONG CardConnection::exchange(std::span<const uint8_t> command, Bytes& response) {
    const SCARD_IO_REQUEST* pci = protocol_ == SCARD_PROTOCOL_T0 ? SCARD_PCI_T0 : SCARD_PCI_T1;
    response.resize(MAX_BUFFER_SIZE_EXTENDED);
    DWORD length = static_cast<DWORD>(response.size());
    const LONG result = Pcsc().transmit(handle_, pci, command.data(), static_cast<DWORD>(command.size()),
                                        nullptr, response.data(), &length);
    response.resize(result == SCARD_S_SUCCESS ? length : 0);
    TracePcscCall("SCardTransmit(" + ctapi::ToHex(command) + ")", result, ctapi::ToHex(response));
    return result;
}

LONG CardConnection::Transmit(std::span<const uint8_t> command, Bytes& response) {
    LONG result = exchange(command, response);
    if (result != SCARD_S_SUCCESS || protocol_ != SCARD_PROTOCOL_T0)
        return result;
    // T=0 cannot carry Le with data: the card says how much it has, and we ask for it.
    if (command.size() == 5 && response.size() == 2 && response[0] == 0x6C) {
        Bytes again(command.begin(), command.end());
        again[4] = response[1];
        result = exchange(again, response);
        if (result != SCARD_S_SUCCESS)
            return result;
    }
    Bytes collected;
    for (int round = 0;
         round < kMostGetResponses && response.size() >= 2 && response[response.size() - 2] == 0x61;
         ++round) {
        collected.insert(collected.end(), response.begin(), response.end() - 2);
        const Bytes getResponse{0x00, 0xC0, 0x00, 0x00, response.back()};
        result = exchange(getResponse, response);
        if (result != SCARD_S_SUCCESS)
            return result;
    }
    response.insert(response.begin(), collected.begin(), collected.end());
    return SCARD_S_SUCCESS;
}

} // namespace kc::pcsc

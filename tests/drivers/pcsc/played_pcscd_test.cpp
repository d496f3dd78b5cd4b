// SPDX-License-Identifier: Apache-2.0
// The library's calls into pcsc-lite against a pcscd played by the test:
// what a card or pcscd may answer that the virtual reader never does.
#include "card_connection.h"
#include "ctapi/bytes.h"
#include "ctapi/return_codes.h"
#include "pcsc_context.h"
#include "pcsc_functions.h"
#include "reader_session.h"
#include "scratch_dir.h"
#include "session_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>

namespace kc::pcsc {
namespace {

// The library's trace: a file of this program's own, named before the first call.
const test::ScratchDir traceFolder;
const std::string tracePath = [] {
    const std::string path = (traceFolder.path() / "pcsc.txt").string();
    ::setenv("CTAPI_PCSC_TRACE", path.c_str(), 1);
    return path;
}();

// The lines traced since the last call that start with call.
std::vector<std::string> TracedSinceLast(const std::string& call) {
    std::vector<std::string> lines;
    std::ifstream in(tracePath);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(call))
            lines.push_back(line);
    std::ofstream(tracePath, std::ios::trunc); // the library appends at the new end
    return lines;
}

struct Played {
    DWORD protocol = SCARD_PROTOCOL_T0;
    LONG connectResult = SCARD_S_SUCCESS;
    std::deque<std::string> answers; // hex, one per SCardTransmit; when used up "9000"
    std::vector<std::string> commands;
    std::deque<std::string> readerLists; // one per SCardListReaders
    LONG listResult = SCARD_S_SUCCESS;
    DWORD eventState = 0;
    std::string atr; // hex, what SCardStatus gives
    SCARDCONTEXT lastContext = 0;
    SCARDHANDLE lastHandle = 0;
    std::vector<SCARDCONTEXT> released;
    std::vector<SCARDHANDLE> disconnected;
};
Played played;

PcscFunctions PlayedFunctions() {
    PcscFunctions f;
    f.establishContext = [](DWORD, LPCVOID, LPCVOID, LPSCARDCONTEXT context) {
        *context = ++played.lastContext;
        return SCARD_S_SUCCESS;
    };
    f.releaseContext = [](SCARDCONTEXT context) {
        played.released.push_back(context);
        return SCARD_S_SUCCESS;
    };
    f.connect = [](SCARDCONTEXT, LPCSTR, DWORD, DWORD, LPSCARDHANDLE handle, LPDWORD protocol) {
        *handle = ++played.lastHandle;
        *protocol = played.protocol;
        return played.connectResult;
    };
    f.status = [](SCARDHANDLE, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE atr, LPDWORD atrLength) {
        const Bytes bytes = *ctapi::FromHex(played.atr);
        std::ranges::copy(bytes, atr);
        *atrLength = DWORD(bytes.size());
        return SCARD_S_SUCCESS;
    };
    f.reconnect = [](SCARDHANDLE, DWORD, DWORD, DWORD, LPDWORD) { return SCARD_S_SUCCESS; };
    f.disconnect = [](SCARDHANDLE handle, DWORD) {
        played.disconnected.push_back(handle);
        return SCARD_S_SUCCESS;
    };
    f.transmit = [](SCARDHANDLE, const SCARD_IO_REQUEST*, LPCBYTE command, DWORD length, SCARD_IO_REQUEST*,
                    LPBYTE response, LPDWORD room) {
        played.commands.push_back(ctapi::ToHex(std::span(command, length)));
        const Bytes answer = *ctapi::FromHex(played.answers.empty() ? "9000" : played.answers.front());
        if (!played.answers.empty())
            played.answers.pop_front();
        std::ranges::copy(answer, response);
        *room = DWORD(answer.size());
        return SCARD_S_SUCCESS;
    };
    // Each call sees the next list: a read after a size query that meets a
    // longer list is the reader attached in between.
    f.listReaders = [](SCARDCONTEXT, LPCSTR, LPSTR names, LPDWORD length) {
        if (played.listResult != SCARD_S_SUCCESS)
            return played.listResult;
        if (played.readerLists.empty())
            return LONG(SCARD_F_INTERNAL_ERROR);
        const std::string list = played.readerLists.front();
        played.readerLists.pop_front();
        if (names && *length < list.size())
            return LONG(SCARD_E_INSUFFICIENT_BUFFER);
        if (names)
            std::ranges::copy(list, names);
        *length = DWORD(list.size());
        return SCARD_S_SUCCESS;
    };
    f.getStatusChange = [](SCARDCONTEXT, DWORD, SCARD_READERSTATE* state, DWORD) {
        state->dwEventState = played.eventState;
        return SCARD_S_SUCCESS;
    };
    return f;
}

class PlayedPcscd : public ::testing::Test {
  protected:
    PlayedPcscd() {
        played = Played{};
        Pcsc() = PlayedFunctions();
    }
    ~PlayedPcscd() override { Pcsc() = PcscFunctions{}; }

    std::string transmit(const char* commandHex) {
        std::optional<CardConnection> card;
        EXPECT_EQ(CardConnection::Connect(1, "R", card), SCARD_S_SUCCESS);
        Bytes response;
        EXPECT_EQ(card->Transmit(*ctapi::FromHex(commandHex), response), SCARD_S_SUCCESS);
        return ctapi::ToHex(response);
    }
    static PcscContext Context() {
        LONG result = 0;
        return *PcscContext::Establish(result);
    }
};

// A connection or context handed over is ended once, by its new holder,
// and whatever that holder had before is ended then.
TEST_F(PlayedPcscd, WhatIsHandedOverIsEndedOnce) {
    TracedSinceLast("");
    {
        std::optional<CardConnection> first, second, third;
        for (auto* card : {&first, &second, &third})
            ASSERT_EQ(CardConnection::Connect(1, "R", *card), SCARD_S_SUCCESS);
        CardConnection taken(std::move(*first));
        *second = std::move(taken);
        third->Disconnect(SCARD_UNPOWER_CARD);
        EXPECT_EQ(played.disconnected, std::vector<SCARDHANDLE>({2, 3}));
    }
    EXPECT_EQ(played.disconnected, std::vector<SCARDHANDLE>({2, 3, 1}));
    EXPECT_EQ(TracedSinceLast("SCardDisconnect(leave) -> 0x00000000").size(), 2u);
    {
        PcscContext first = Context();
        PcscContext second = Context();
        PcscContext taken(std::move(first));
        second = std::move(taken);
        EXPECT_EQ(played.released, std::vector<SCARDCONTEXT>({2}));
    }
    EXPECT_EQ(played.released, std::vector<SCARDCONTEXT>({2, 1}));
}

// A card reset answers with the ATR it gives after the reset.
TEST_F(PlayedPcscd, AResetCardAnswersWithTheAtrItGivesThen) {
    played.eventState = SCARD_STATE_PRESENT;
    ReaderSession session(Context(), "R");
    const Bytes resetIcc = *ctapi::FromHex("2011010100");
    for (const char* atr : {"3B020101", "3B020102"}) {
        played.atr = atr;
        EXPECT_TRUE(ctapi::ToHex(session.TerminalCommand(resetIcc).bytes).starts_with(atr)) << atr;
    }
}

// A CT_data call that lacks any of its arguments is refused before the
// reader is asked anything.
const char* const kDataArguments[] = {"dad", "sad", "lenc", "command", "lenr", "response"};

class DataArgumentMissing : public PlayedPcscd, public ::testing::WithParamInterface<int> {};

TEST_P(DataArgumentMissing, IsRefused) {
    played.readerLists = {std::string("R\0\0", 3), std::string("R\0\0", 3)};
    SessionTable table;
    ASSERT_EQ(table.Open(1, 0x2000), OK);
    uint8_t dad = 0, sad = 2, response[8];
    uint16_t lenr = sizeof response;
    const uint8_t command[] = {0x00, 0xB0, 0x00, 0x00, 0x00};
    const auto given = [&](int argument, auto* pointer) {
        return GetParam() == argument ? nullptr : pointer;
    };
    EXPECT_EQ(table.Data(1, given(0, &dad), given(1, &sad), GetParam() == 2 ? 0 : sizeof command,
                         given(3, command), given(4, &lenr), given(5, response)),
              ERR_INVALID);
    EXPECT_TRUE(played.commands.empty());
}

INSTANTIATE_TEST_SUITE_P(CtData, DataArgumentMissing, ::testing::Range(0, 6),
                         [](const auto& row) { return std::string(kDataArguments[row.param]); });

TEST_F(PlayedPcscd, UnderT0TheLengthAndTheRestOfTheAnswerAreAskedFor) {
    played.answers = {"6C03", "AABBCC6102", "DDEE9000"};
    EXPECT_EQ(transmit("00B0000000"), "AABBCCDDEE9000");
    EXPECT_EQ(played.commands, std::vector<std::string>({"00B0000000", "00B0000003", "00C0000002"}));
}

TEST_F(PlayedPcscd, UnderT1TheCardsAnswerIsPassedOnAsItIs) {
    played.protocol = SCARD_PROTOCOL_T1;
    played.answers = {"6C03"};
    EXPECT_EQ(transmit("00B0000000"), "6C03");
    EXPECT_EQ(played.commands.size(), 1u);
}

TEST_F(PlayedPcscd, ACardThatAlwaysHasMoreIsAskedAFixedNumberOfTimes) {
    played.answers = std::deque<std::string>(100, "AA6101");
    // 64 rounds collected, and the last answer with the status word that still asks.
    const std::string answer = transmit("00A4040000");
    EXPECT_EQ(answer.size(), 2u * (64 + 3));
    EXPECT_TRUE(answer.ends_with("AA6101")) << answer;
    EXPECT_EQ(played.commands.size(), 65u);
}

TEST_F(PlayedPcscd, ReaderNamesAreReadAgainWhenOneIsAttachedMeanwhile) {
    const PcscContext context = Context();
    std::vector<std::string> readers;
    const std::string one("A\0\0", 3), two("A\0B\0\0", 5);
    played.readerLists = {one, two, two, two};
    EXPECT_EQ(context.ListReaders(readers), SCARD_S_SUCCESS);
    EXPECT_EQ(readers, std::vector<std::string>({"A", "B"}));
    played.readerLists.clear();
    for (std::size_t size : {1, 2, 2, 3, 3, 4})
        played.readerLists.push_back(std::string(size, '\0'));
    EXPECT_EQ(context.ListReaders(readers), SCARD_E_INSUFFICIENT_BUFFER);
    EXPECT_TRUE(played.readerLists.empty()); // asked three times over
    played.listResult = SCARD_E_NO_READERS_AVAILABLE;
    EXPECT_EQ(context.ListReaders(readers), SCARD_S_SUCCESS);
    EXPECT_TRUE(readers.empty());
}

TEST_F(PlayedPcscd, AMuteCardIsNoCardInTheReader) {
    const PcscContext context = Context();
    TracedSinceLast("");
    bool present = true;
    for (const auto& [state, expected] :
         {std::pair(SCARD_STATE_PRESENT, true), std::pair(SCARD_STATE_PRESENT | SCARD_STATE_MUTE, false)}) {
        played.eventState = DWORD(state);
        EXPECT_EQ(context.WaitForCard("R", std::chrono::milliseconds(0), present), SCARD_S_SUCCESS);
        EXPECT_EQ(present, expected) << state;
    }
    const auto traced = TracedSinceLast("SCardGetStatusChange(R, 0 ms) -> 0x00000000");
    ASSERT_EQ(traced.size(), 2u);
    EXPECT_TRUE(traced[0].ends_with(" state=0x0020")) << traced[0];
    EXPECT_TRUE(traced[1].ends_with(" state=0x0220")) << traced[1];
}

// A card that left answers as a terminal without a card; a pcscd that went
// away is the library's own failure, anything else one of transmission.
TEST_F(PlayedPcscd, AFailedConnectIsToldApartByWhatWentAway) {
    const struct {
        LONG result;
        int8_t code;
        const char* bytes;
    } cases[] = {{SCARD_W_REMOVED_CARD, 0, "6400"},
                 {SCARD_E_NO_SERVICE, ERR_HTSI, ""},
                 {SCARD_E_SERVICE_STOPPED, ERR_HTSI, ""},
                 {SCARD_E_INVALID_HANDLE, ERR_HTSI, ""},
                 {SCARD_F_COMM_ERROR, ERR_TRANS, ""}};
    for (const auto& c : cases) {
        played.connectResult = c.result;
        ReaderSession session(Context(), "R");
        const ctapi::Reply reply = session.CardCommand(Bytes{0x00, 0xA4, 0x04, 0x00});
        EXPECT_EQ(reply.code, c.code) << c.result;
        EXPECT_EQ(ctapi::ToHex(reply.bytes), c.bytes) << c.result;
    }
}

} // namespace
} // namespace kc::pcsc

// SPDX-License-Identifier: Apache-2.0
#include "terminal/host_protocol.h"
#include "terminal/host_time_limits.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(HostProtocol, RequestsAndAnswersArriveAsSent) {
    const host::DataRequest data{1, 0, 2, 4098, {0x00, 0xB0, 0x00, 0x00, 0x00}};
    Bytes stream = host::EncodeFrame(host::Request{data});
    const Bytes baud = host::EncodeFrame(host::Answer{host::BaudAnswer{0, 115200}});
    stream.insert(stream.end(), baud.begin(), baud.end());
    host::FrameReader reader;
    reader.append(stream.data(), stream.size());

    Bytes payload;
    ASSERT_EQ(reader.next(payload), host::FrameReader::Status::Frame);
    const auto request = host::DecodeRequest(payload);
    ASSERT_TRUE(request && std::holds_alternative<host::DataRequest>(*request));
    const auto& decoded = std::get<host::DataRequest>(*request);
    EXPECT_EQ(decoded.lenr, 4098);
    EXPECT_EQ(decoded.sad, 2);
    EXPECT_EQ(decoded.command, data.command);
    ASSERT_EQ(reader.next(payload), host::FrameReader::Status::Frame);
    const auto answer = host::DecodeAnswer(payload);
    ASSERT_TRUE(answer && std::holds_alternative<host::BaudAnswer>(*answer));
    EXPECT_EQ(std::get<host::BaudAnswer>(*answer).baud, 115200);
}

TEST(HostProtocol, FramesWithAWrongLengthAreRefused) {
    const Bytes refused[] = {
        {'X', 1, 0},                                     // unknown kind
        {'I', 1, 0, 1, 0, 0},                            // init one byte long
        {'D', 1, 0, 1, 2, 0x02, 0x10, 3, 0, 0x20, 0x11}, // command shorter than its length
        {'d', 0, 2, 1, 2, 0, 4, 0, 0x90, 0x00},          // response past the end
    };
    for (const Bytes& payload : refused)
        EXPECT_FALSE(host::DecodeRequest(payload) || host::DecodeAnswer(payload)) << payload.size();

    for (const uint32_t length : {0u, uint32_t(host::kMaxPayload + 1)}) {
        host::FrameReader reader;
        const uint8_t header[] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), 0};
        reader.append(header, sizeof header);
        Bytes payload;
        EXPECT_EQ(reader.next(payload), host::FrameReader::Status::Malformed) << length;
    }
}

TEST(HostTimeLimits, CommandsGetTheirWaitingTimeAndAnswerLength) {
    HostTimeLimits limits;
    limits.command = std::chrono::milliseconds(5000);
    limits.perResponseByte = std::chrono::microseconds(2000);
    const struct {
        const char* command;
        uint16_t lenr;
        long long milliseconds;
    } cases[] = {
        {"2011000000", 4098, 5000 + 258 * 2},             // RESET CT, up to 256 bytes
        {"201201000380010F", 4098, 5000 + 2 * 2 + 15000}, // REQUEST ICC waiting 15 s, tagged
        {"201501010101", 4098, 5000 + 2 * 2 + 1000},      // EJECT ICC waiting 1 s
        {"00A4040002D276", 4098, 5000 + 2 * 2},           // SELECT, no answer data
        {"00B0000000FFFD", 0xFFFF, 5000 + 0xFFFF * 2},    // READ BINARY, extended length
        {"00B00000000000", 0xFFFF, 5000 + 0xFFFF * 2},    // extended Le 0000: 65536 bytes
        {"00D60000000002AABB0100", 4098, 5000 + 258 * 2}, // extended Lc with data and Le 256
        {"00B0000000", 10, 5000 + 10 * 2},                // small buffer
        {"2011", 4098, 5000 + 4098 * 2},                  // unknown layout: the whole buffer
    };
    for (const auto& c : cases) {
        const QByteArray command = QByteArray::fromHex(c.command);
        EXPECT_EQ(DataTimeLimit(limits, Bytes(command.begin(), command.end()), c.lenr).count(),
                  c.milliseconds)
            << c.command;
    }
}

} // namespace
} // namespace kc

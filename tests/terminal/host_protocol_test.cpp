// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
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

class FramePayload : public ::testing::TestWithParam<QStringList> {};

TEST_P(FramePayload, DecodesOnlyWhenWholeAndKnown) {
    const QByteArray payload = QByteArray::fromHex(GetParam()[1].toLatin1());
    const Bytes bytes(payload.begin(), payload.end());
    EXPECT_EQ(host::DecodeRequest(bytes) || host::DecodeAnswer(bytes), GetParam()[2] == "decoded");
}

INSTANTIATE_TEST_SUITE_P(HostProtocol, FramePayload,
                         ::testing::ValuesIn(test::CaseRows("terminal/host_frames.txt")),
                         test::FirstCellName());

TEST(HostProtocol, FrameLengthOfNothingOrPastTheLimitIsMalformed) {
    for (const uint32_t length : {0u, uint32_t(host::kMaxPayload + 1)}) {
        host::FrameReader reader;
        const uint8_t header[] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), 0};
        reader.append(header, sizeof header);
        Bytes payload;
        EXPECT_EQ(reader.next(payload), host::FrameReader::Status::Malformed) << length;
    }
}

// The caller's buffer bounds what comes back, and a failed call brings back nothing.
TEST(HostProtocol, AnAnswerFitsTheCallersBufferAndAFailureBringsNoBytes) {
    EXPECT_EQ(host::ReturnedResponseSize(0, 5, 3), 3u);
    EXPECT_EQ(host::ReturnedResponseSize(0, 2, 3), 2u);
    EXPECT_EQ(host::ReturnedResponseSize(-1, 2, 3), 0u);
    EXPECT_TRUE(host::FitsCaller({-1, 1, 2, 2, {}}, 3));
    EXPECT_FALSE(host::FitsCaller({-1, 1, 2, 2, {0x90}}, 3));
    EXPECT_FALSE(host::FitsCaller({0, 1, 2, 5, {1, 2, 3, 4, 5}}, 3));
}

class DataTimeLimitCase : public ::testing::TestWithParam<QStringList> {};

TEST_P(DataTimeLimitCase, FollowsTheCommandsWaitingTimeAndAnswerLength) {
    const QStringList& c = GetParam();
    HostTimeLimits limits;
    limits.command = std::chrono::milliseconds(5000);
    limits.perResponseByte = std::chrono::microseconds(2000);
    const QByteArray command = QByteArray::fromHex(c[1].toLatin1()) + QByteArray(c.value(4).toInt(), '\xAA');
    EXPECT_EQ(DataTimeLimit(limits, Bytes(command.begin(), command.end()), c[2].toUShort()).count(),
              c[3].toLongLong());
}

INSTANTIATE_TEST_SUITE_P(HostTimeLimits, DataTimeLimitCase,
                         ::testing::ValuesIn(test::CaseRows("terminal/host_time_limits.txt")),
                         test::FirstCellName());

// Le 0000 asks for more than any CT_data buffer holds: only a larger capacity shows it.
TEST(ExpectedResponseSize, ExtendedLeZeroAsksForSixtyFourKibibytes) {
    EXPECT_EQ(ExpectedResponseSize(Bytes{0x00, 0xB0, 0x00, 0x00, 0x00, 0x00, 0x00}, 100000), 65538u);
}

} // namespace
} // namespace kc

#include "terminal/host_protocol.h"
#include "terminal/host_time_limits.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using Bytes = std::vector<uint8_t>;

// Feeds whole frames through the reader as the other side would receive them.
std::vector<Bytes> Payloads(const Bytes& received) {
    host::FrameReader reader;
    reader.append(received.data(), received.size());
    std::vector<Bytes> payloads;
    Bytes payload;
    while (reader.next(payload) == host::FrameReader::Status::Frame)
        payloads.push_back(payload);
    return payloads;
}

TEST(HostProtocol, RequestsAndAnswersArriveAsSent) {
    const host::DataRequest data{1, 0, 2, 4098, {0x00, 0xB0, 0x00, 0x00, 0x00}};
    Bytes stream = host::EncodeFrame(host::Request{data});
    const Bytes baud = host::EncodeFrame(host::Answer{host::BaudAnswer{0, 115200}});
    stream.insert(stream.end(), baud.begin(), baud.end());

    const std::vector<Bytes> payloads = Payloads(stream);
    ASSERT_EQ(payloads.size(), 2u);
    const auto request = host::DecodeRequest(payloads[0]);
    ASSERT_TRUE(request && std::holds_alternative<host::DataRequest>(*request));
    const auto& decoded = std::get<host::DataRequest>(*request);
    EXPECT_EQ(decoded.lenr, 4098);
    EXPECT_EQ(decoded.sad, 2);
    EXPECT_EQ(decoded.command, data.command);
    const auto answer = host::DecodeAnswer(payloads[1]);
    ASSERT_TRUE(answer && std::holds_alternative<host::BaudAnswer>(*answer));
    EXPECT_EQ(std::get<host::BaudAnswer>(*answer).baud, 115200);
}

TEST(HostProtocol, FramesWithAWrongLengthAreRefused) {
    struct Case {
        const char* what;
        Bytes payload;
    };
    const Case cases[] = {
        {"empty", {}},
        {"unknown kind", {'X', 1, 0}},
        {"init one byte short", {'I', 1, 0, 1}},
        {"init one byte long", {'I', 1, 0, 1, 0, 0}},
        {"command shorter than its length", {'D', 1, 0, 1, 2, 0x02, 0x10, 3, 0, 0x20, 0x11}},
        {"command longer than its length", {'D', 1, 0, 1, 2, 0x02, 0x10, 1, 0, 0x20, 0x11}},
        {"load answer with an unknown fault", {'L', 3}},
        {"response past the end", {'d', 0, 2, 1, 2, 0, 4, 0, 0x90, 0x00}},
        {"baud answer short", {'b', 0, 0, 0, 0, 0x80, 0x25, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(host::DecodeRequest(c.payload) || host::DecodeAnswer(c.payload)) << c.what;
    }

    host::FrameReader reader;
    Bytes payload;
    const uint8_t partialHeader[] = {5, 0};
    reader.append(partialHeader, sizeof partialHeader);
    EXPECT_EQ(reader.next(payload), host::FrameReader::Status::NeedMore);
    for (const uint32_t length : {0u, uint32_t(host::kMaxPayload + 1)}) {
        host::FrameReader lengthReader;
        const uint8_t header[] = {uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), 0};
        lengthReader.append(header, sizeof header);
        EXPECT_EQ(lengthReader.next(payload), host::FrameReader::Status::Malformed) << length;
    }
}

TEST(HostTimeLimits, CommandsGetTheirWaitingTimeAndAnswerLength) {
    HostTimeLimits limits;
    limits.command = std::chrono::milliseconds(5000);
    limits.perResponseByte = std::chrono::microseconds(2000);
    const struct {
        const char* what;
        const char* command;
        uint16_t lenr;
        long long milliseconds;
    } cases[] = {
        {"RESET CT, up to 256 bytes", "2011000000", 4098, 5000 + 258 * 2},
        {"REQUEST ICC waiting 1 s", "201201000101", 4098, 5000 + 2 * 2 + 1000},
        {"REQUEST ICC waiting 15 s, tagged", "201201000380010F", 4098, 5000 + 2 * 2 + 15000},
        {"EJECT ICC waiting 1 s", "201501010101", 4098, 5000 + 2 * 2 + 1000},
        {"SELECT, no answer data", "00A4040002D276", 4098, 5000 + 2 * 2},
        {"READ BINARY, extended length", "00B0000000FFFD", 0xFFFF, 5000 + 0xFFFF * 2},
        {"READ BINARY, small buffer", "00B0000000", 10, 5000 + 10 * 2},
        {"unknown layout: the whole buffer", "2011", 4098, 5000 + 4098 * 2},
    };
    for (const auto& c : cases) {
        const QByteArray command = QByteArray::fromHex(c.command);
        EXPECT_EQ(DataTimeLimit(limits, Bytes(command.begin(), command.end()), c.lenr).count(),
                  c.milliseconds)
            << c.what;
    }
}

} // namespace
} // namespace kc

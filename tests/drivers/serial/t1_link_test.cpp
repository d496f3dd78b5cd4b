// SPDX-License-Identifier: Apache-2.0
// The serial library's T=1 host against the emulator's T=1 terminal, joined
// in-process: answers arrive whole whatever the faults on the line, and a
// line that cannot be recovered is reported, not waited for.
#include "data_rows.h"
#include "loopback_line.h"
#include "serial/t1_host.h"
#include "sim/simulator.h"
#include "sim_harness.h"
#include "simulated_terminal.h"

#include <gtest/gtest.h>

namespace kc::test {
namespace {

using serial::Bytes;
using sim::serial::ParseFaultSwitch;

Bytes B(const char* hex) {
    return *sim::FromHex(hex);
}

const std::vector<std::pair<uint8_t, Bytes>> kCommands = {
    {1, B("2011000000")},     {1, B("201201000101")}, {0, B("00A4040C06D27600000102")},
    {0, B("00A4020C02D002")}, {0, B("00B00008FE")},   {0, Bytes(40, 0x5A)},
    {1, B("2013004600")}};

// One terminal, the host joined to it, and the same scenario in a second
// simulator that tells what the answers must be.
struct Link {
    explicit Link(const char* faultSwitch = "") {
        if (*faultSwitch)
            faults.add(*ParseFaultSwitch(faultSwitch));
    }
    sim::Simulator simulator = Load();
    sim::serial::SimulatedTerminal behaviour{simulator, 2};
    sim::serial::FaultPlan faults;
    sim::serial::T1Terminal terminal{behaviour, faults, std::chrono::milliseconds(0)};
    LoopbackLine line{terminal};
    serial::T1Host host{line};

    static sim::Simulator Load() {
        auto loaded = sim::Simulator::fromFile(
            (SimHarness::ScenarioDir() + QStringLiteral("/egk/stationary_test_lab_card.scn")).toStdString());
        return std::move(*loaded);
    }
};

class T1LinkFaults : public ::testing::TestWithParam<QStringList> {};

// A row of tests/data/drivers/serial/t1_link_faults.txt.
TEST_P(T1LinkFaults, AnswersArriveWholeOrTheLinkReportsFailure) {
    const QStringList& c = GetParam();
    const int firstFailure = c[3].toInt();
    Link link(c[1].toStdString().c_str());
    ASSERT_TRUE(link.host.resynch(serial::Milliseconds(500)));
    if (c[2] == QLatin1String("1")) {
        EXPECT_TRUE(link.host.negotiateInformationSize(254));
    }
    sim::Simulator reference = Link::Load();
    reference.init(1, 2);
    for (std::size_t k = 0; k < kCommands.size(); ++k) {
        Bytes answer;
        uint8_t source = 9;
        const bool ok = link.host.transceive(kCommands[k].first, kCommands[k].second, answer, source);
        ASSERT_EQ(ok, firstFailure < 0 || int(k) < firstFailure) << "command " << k;
        if (ok) {
            EXPECT_EQ(sim::ToHex(answer),
                      reference.transmit(1, kCommands[k].first, sim::ToHex(kCommands[k].second)).response)
                << "command " << k;
            EXPECT_EQ(source, kCommands[k].first) << "command " << k;
        }
    }
    EXPECT_EQ(link.host.linkDown(), firstFailure >= 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, T1LinkFaults,
                         ::testing::ValuesIn(CaseRows("drivers/serial/t1_link_faults.txt")), FirstCellName());

// RESYNCH, then the commands named; the last answer.
Bytes Send(Link& link, std::initializer_list<int> commands) {
    EXPECT_TRUE(link.host.resynch(serial::Milliseconds(500)));
    Bytes answer;
    uint8_t source = 0;
    for (int k : commands)
        EXPECT_TRUE(link.host.transceive(kCommands[k].first, kCommands[k].second, answer, source)) << k;
    return answer;
}

TEST(T1Link, FramesOnTheLineAreTheOnesSerialTerminalsExpect) {
    Link link;
    EXPECT_EQ(Send(link, {0, 2, 3, 4}).size(), 256u);
    // RESYNCH, then I-blocks to the terminal (NAD 12) and the card (NAD 02) with one alternating sequence
    // number, then an R-block acknowledging each part of the chained answer, in blocks of 32 bytes.
    std::vector<std::string> expected = {"12C000D2", "120005201100000026", "02400B00A4040C06D2760000010244",
                                         "02000700A4020C02D0027F", "02400500B00008FE01"};
    for (int part = 0; part < 7; ++part)
        expected.push_back(part % 2 ? "02900092" : "02800082");
    EXPECT_EQ(link.line.sent, expected);
}

// Two waits in a row that bring nothing end the exchange: the host starts
// afresh with RESYNCH and sends the command again, rather than asking on.
TEST(T1Link, TwoSilentWaitsInARowEndTheExchangeWithAResynch) {
    Link link("silence@1x2");
    Send(link, {0, 2});
    // The card's I-block and the R-block asking for its answer go unanswered.
    EXPECT_EQ(link.line.sent,
              std::vector<std::string>({"12C000D2", "120005201100000026", "02400B00A4040C06D2760000010244",
                                        "02920090", "12C000D2", "02000B00A4040C06D2760000010204"}));
}

// A terminal played block by block: each frame the host writes is answered
// with the next reply of the script (none: silence).
class ScriptedTerminal : public FramedLine {
  public:
    // The first reply confirms the host's RESYNCH.
    explicit ScriptedTerminal(std::vector<std::vector<serial::Block>> replies)
        : replies_(std::move(replies)) {
        replies_.insert(replies_.begin(),
                        {serial::SupervisoryBlock(0x21, serial::SupervisoryType::Resynch, true)});
    }

  private:
    sim::serial::Reaction answer(const serial::Bytes&) override {
        sim::serial::Reaction reaction;
        if (next_ < replies_.size())
            for (const serial::Block& block : replies_[next_])
                reaction.frames.push_back(serial::Encode(block));
        ++next_;
        return reaction;
    }

    std::vector<std::vector<serial::Block>> replies_;
    std::size_t next_ = 0;
};

constexpr uint8_t kFromCard = serial::Nad(serial::kHostAddress, serial::kCardAddress);

// What the host makes of the script as the answer to command for the card.
Bytes AnswerOn(ScriptedTerminal& line, const Bytes& command) {
    serial::T1Host host(line);
    Bytes answer;
    uint8_t source = 9;
    EXPECT_TRUE(host.resynch(serial::Milliseconds(500)));
    EXPECT_TRUE(host.transceive(0, command, answer, source));
    return answer;
}

// An answer while the host still chains its command is out of turn: the host
// asks again instead of taking it, and the real answer follows the last part.
TEST(T1Link, AnAnswerBeforeTheLastPartOfTheCommandIsNotTaken) {
    ScriptedTerminal line({{serial::InformationBlock(kFromCard, 0, false, B("6F00"))},
                           {serial::ReceiveBlock(kFromCard, 1)},
                           {serial::InformationBlock(kFromCard, 0, false, B("9000"))}});
    EXPECT_EQ(AnswerOn(line, kCommands[5].second), B("9000"));
    ASSERT_EQ(line.sent.size(), 4u);
    EXPECT_EQ(line.sent[2], "02810083"); // R-block: N(R) 0, taken as a transmission error
    EXPECT_TRUE(line.sent[3].starts_with("024008")) << line.sent[3];
}

// An R-block naming the host's own block asks for it again, whether or not
// it names an error; the answer to the block sent twice is taken once.
TEST(T1Link, AnRBlockForTheHostsOwnBlockBringsItAgain) {
    ScriptedTerminal line(
        {{serial::ReceiveBlock(kFromCard, 0)}, {serial::InformationBlock(kFromCard, 0, false, B("9000"))}});
    EXPECT_EQ(AnswerOn(line, kCommands[4].second), B("9000"));
    ASSERT_EQ(line.sent.size(), 3u);
    EXPECT_EQ(line.sent[2], line.sent[1]);
}

// A block left over from before (an old answer) ahead of the RESYNCH
// response is passed over, not taken for the terminal's refusal.
TEST(T1Link, ABlockAheadOfTheResynchResponseIsPassedOver) {
    ScriptedTerminal line({{serial::InformationBlock(kFromCard, 0, false, B("9000")),
                            serial::SupervisoryBlock(0x21, serial::SupervisoryType::Resynch, true)}});
    serial::T1Host host(line);
    EXPECT_TRUE(host.resynch(serial::Milliseconds(500)));
    EXPECT_TRUE(host.resynch(serial::Milliseconds(500)));
}

// A terminal that breaks off every exchange gets one fresh start with the
// command sent again, then the link is given up without further traffic.
TEST(T1Link, AnExchangeBrokenOffTwiceGivesTheLinkUp) {
    const serial::Block abort = serial::SupervisoryBlock(kFromCard, serial::SupervisoryType::Abort, false);
    const serial::Block resynched = serial::SupervisoryBlock(0x21, serial::SupervisoryType::Resynch, true);
    ScriptedTerminal line({{abort}, {resynched}, {abort}, {resynched}, {abort}, {resynched}});
    serial::T1Host host(line);
    Bytes answer;
    uint8_t source = 9;
    ASSERT_TRUE(host.resynch(serial::Milliseconds(500)));
    EXPECT_FALSE(host.transceive(0, kCommands[4].second, answer, source));
    EXPECT_FALSE(host.transceive(0, kCommands[4].second, answer, source));
    ASSERT_EQ(line.sent.size(), 5u);
    EXPECT_EQ(line.sent[3], line.sent[1]);
}

// A terminal may ask for a block size of its own in the middle of an
// exchange: a size the line can carry is confirmed and the answer taken; any
// other ends the exchange with a RESYNCH.
struct SizeAsked {
    const char* name;
    uint8_t size;
    bool taken;
};

class T1LinkSizeAsked : public ::testing::TestWithParam<SizeAsked> {};

TEST_P(T1LinkSizeAsked, IsConfirmedWhenTheLineCanCarryIt) {
    const uint8_t size[] = {GetParam().size};
    ScriptedTerminal line({{serial::SupervisoryBlock(kFromCard, serial::SupervisoryType::Ifs, false, size)},
                           {serial::InformationBlock(kFromCard, 0, false, B("9000"))}});
    serial::T1Host host(line);
    Bytes answer;
    uint8_t source = 9;
    ASSERT_TRUE(host.resynch(serial::Milliseconds(500)));
    EXPECT_EQ(host.transceive(0, kCommands[4].second, answer, source), GetParam().taken);
    ASSERT_GE(line.sent.size(), 3u);
    const uint8_t toCard = serial::Nad(serial::kCardAddress, serial::kHostAddress);
    const serial::Block expected =
        GetParam().taken
            ? serial::SupervisoryBlock(toCard, serial::SupervisoryType::Ifs, true, size)
            : serial::SupervisoryBlock(serial::Nad(serial::kTerminalAddress, serial::kHostAddress),
                                       serial::SupervisoryType::Resynch, false);
    EXPECT_EQ(line.sent[2], ctapi::ToHex(serial::Encode(expected)));
    if (GetParam().taken) {
        EXPECT_EQ(answer, B("9000"));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, T1LinkSizeAsked,
                         ::testing::Values(SizeAsked{"smallest", 1, true}, SizeAsked{"largest", 254, true},
                                           SizeAsked{"none", 0, false},
                                           SizeAsked{"pastTheLargest", 255, false}),
                         [](const auto& row) { return std::string(row.param.name); });

// What a terminal's R-block says went wrong decides whether the host sends
// its block again as it was or asks for the terminal's again.
TEST(T1Block, ReceiveBlocksNameTheirError) {
    using serial::Block;
    using serial::ReceiveError;
    const std::vector<std::pair<uint8_t, ReceiveError>> rows = {{0x80, ReceiveError::None},
                                                                {0x91, ReceiveError::Checksum},
                                                                {0x82, ReceiveError::Other},
                                                                {0x93, ReceiveError::Other}};
    for (const auto& [pcb, error] : rows) {
        const Block block{0x21, pcb, {}};
        EXPECT_EQ(block.kind(), serial::BlockKind::Receive) << int(pcb);
        EXPECT_EQ(block.error(), error) << int(pcb);
    }
}

// LEN up to 254 is a block; 255 is not, whatever follows.
TEST(T1Block, TheLongestInformationFieldIsTheLastThatDecodes) {
    for (const std::size_t size : {serial::kMaxInformationSize, serial::kMaxInformationSize + 1}) {
        Bytes frame = {0x20, 0x00, uint8_t(size)};
        frame.resize(3 + size, 0x41);
        frame.push_back(serial::Lrc(frame));
        EXPECT_EQ(serial::Decode(frame).has_value(), size <= serial::kMaxInformationSize) << size;
    }
}

// The forms with both @ and x are the fault table's.
TEST(T1Link, FaultSwitchesParse) {
    const auto plain = ParseFaultSwitch("lrc"), times = ParseFaultSwitch("hangupx2");
    ASSERT_TRUE(plain && times);
    EXPECT_EQ(std::tie(plain->after, plain->times, times->after, times->times), std::make_tuple(0, -1, 0, 2));
    for (const char* bad : {"silence@", "nak@1x", "lrc@-1", "noise", "wtx@1x1y"})
        EXPECT_FALSE(ParseFaultSwitch(bad)) << bad;
}

} // namespace
} // namespace kc::test

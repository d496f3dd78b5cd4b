// What the PC/SC library decides without pcscd: the kind of card an answer
// to reset stands for, the reader behind a port number, and the terminal's
// answers it builds.

#include "atr.h"
#include "command_apdu.h"
#include "port_numbers.h"
#include "terminal_answers.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc::pcsc {
namespace {

Bytes B(std::initializer_list<uint8_t> bytes) {
    return Bytes(bytes);
}

struct AtrCase {
    const char* what;
    Bytes atr;
    CardKind kind;
    std::optional<Bytes> historical;
};

TEST(PcscRules, KindOfCardFromTheAnswerToReset) {
    const AtrCase cases[] = {
        {"eGK-like T=1 card",
         B({0x3B, 0xD3, 0x96, 0xFF, 0x81, 0xB1, 0xFE, 0x45, 0x1F, 0x07, 0x80, 0x81, 0x05, 0x2D}),
         CardKind::Processor, B({0x80, 0x81, 0x05})},
        {"storage card as a PC/SC reader shows it",
         B({0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00,
            0x03, 0x06, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x6A}),
         CardKind::Memory,
         B({0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x06, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00})},
        {"synchronous card's own answer", B({0xA2, 0x13, 0x10, 0x91}), CardKind::Memory, std::nullopt},
        {"inverse convention, no interface bytes", B({0x3F, 0x02, 0x11, 0x22}), CardKind::Processor,
         B({0x11, 0x22})},
        {"other RID in the historical bytes",
         B({0x3B, 0x88, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x07, 0x00}),
         CardKind::Processor, B({0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x07})},
        {"interface bytes run past the end", B({0x3B, 0xF0, 0x11}), CardKind::Processor, std::nullopt},
        {"historical bytes run past the end", B({0x3B, 0x05, 0x01, 0x02}), CardKind::Processor, std::nullopt},
        {"nothing at all", B({}), CardKind::Processor, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KindOfCard(c.atr), c.kind);
        EXPECT_EQ(HistoricalBytes(c.atr), c.historical);
    }
}

TEST(PcscRules, CommandApduForms) {
    struct Case {
        Bytes bytes;
        bool valid;
        Bytes data;
        bool hasLe;
    };
    const Case cases[] = {
        {B({0x20, 0x11, 0x01, 0x00}), true, {}, false},
        {B({0x20, 0x13, 0x00, 0x46, 0x00}), true, {}, true},
        {B({0x20, 0x12, 0x01, 0x00, 0x01, 0x05}), true, B({0x05}), false},
        {B({0x20, 0x12, 0x01, 0x01, 0x01, 0x05, 0x00}), true, B({0x05}), true},
        {B({0x20, 0x12, 0x01}), false, {}, false},
        {B({0x20, 0x12, 0x01, 0x00, 0x02, 0x05}), false, {}, false},             // Lc past the end
        {B({0x20, 0x12, 0x01, 0x00, 0x01, 0x05, 0x00, 0x00}), false, {}, false}, // bytes after Le
        {B({0x20, 0x12, 0x01, 0x00, 0x00, 0x05}), false, {}, false},             // Lc 0 with data
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        const auto apdu = CommandApdu::Parse(c.bytes);
        ASSERT_EQ(apdu.has_value(), c.valid);
        if (!apdu)
            continue;
        EXPECT_EQ(apdu->data, c.data);
        EXPECT_EQ(apdu->hasLe, c.hasLe);
    }
}

TEST(PcscRules, PortNumbersNameReadersInTheOrderOfTheirNames) {
    const std::vector<std::string> readers{"Zeta Reader 00 00", "Alpha Reader 00 00", "Alpha Reader 00 01"};
    EXPECT_EQ(ReaderForPort(0x2000, readers), "Alpha Reader 00 00");
    EXPECT_EQ(ReaderForPort(0x2002, readers), "Zeta Reader 00 00");
    EXPECT_EQ(ReaderForPort(0x2003, readers), std::nullopt);
    EXPECT_EQ(ReaderForPort(1, readers), std::nullopt);
    EXPECT_EQ(ReaderForPort(256, readers), std::nullopt);
    EXPECT_EQ(ReaderForPort(0x2100, std::vector<std::string>(300, "R")), std::nullopt);
}

TEST(PcscRules, ManufacturerObjectKeepsAOneByteLength) {
    const Bytes shortName = ManufacturerObject("R");
    EXPECT_EQ(shortName.size(), 2u + 16u + 2u);
    EXPECT_EQ(shortName[1], 16);
    const Bytes longName = ManufacturerObject(std::string(300, 'x'));
    EXPECT_EQ(longName[1], 0x7F);
    EXPECT_EQ(longName.size(), 2u + 0x7F + 2u);
    EXPECT_EQ(std::string(longName.begin() + 2, longName.begin() + 17), "KARTOPC/SC1.0.0");
}

} // namespace
} // namespace kc::pcsc

// SPDX-License-Identifier: Apache-2.0
#include "ctapi/apdu.h"

#include <gtest/gtest.h>

namespace kc::ctapi {
namespace {

Bytes H(const char* hex) {
    return FromHex(hex).value();
}

// Where each case's lengths are checked: header, Lc against the data, Le,
// short and extended forms, and the mixtures that do not add up.
TEST(Apdu, LengthsAddUpOrTheCommandIsRefused) {
    const struct {
        const char* bytes;
        bool valid;
        const char* data;
        long ne; // -1: no Le
        bool wildcard;
        bool extended;
    } cases[] = {
        {"201101", false, "", -1, false, false},                     // shorter than a header
        {"20110100", true, "", -1, false, false},                    // case 1
        {"2013004600", true, "", 256, true, false},                  // case 2 short, Le 00
        {"2013004610", true, "", 16, false, false},                  // case 2 short
        {"201201000105", true, "05", -1, false, false},              // case 3 short
        {"20120100010500", true, "05", 256, true, false},            // case 4 short
        {"201201000205", false, "", -1, false, false},               // Lc past the data
        {"2012010001050000", false, "", -1, false, false},           // bytes after Le
        {"2012010000", true, "", 256, true, false},                  // a lone 00 is Le
        {"2012010000AA", false, "", -1, false, false},               // 00 then too few for extended
        {"20120100000005", true, "", 5, false, true},                // case 2 extended
        {"00B00000000000", true, "", 65536, true, true},             // case 2 extended, Le 0000
        {"00B00000000102", true, "", 258, false, true},              // case 2 extended
        {"00D6000000000211220000", true, "1122", 65536, true, true}, // case 4 extended
        {"00D60000000002112201", false, "", -1, false, true},        // Le of one byte after extended Lc
        {"00D600000000021122", true, "1122", -1, false, true},       // case 3 extended
        {"00D6000000000311", false, "", -1, false, true},            // extended Lc past the data
        {"00D60000000000AA", false, "", -1, false, true},            // extended Lc 0000 with data
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const Bytes bytes = H(c.bytes);
        const auto apdu = Apdu::parse(bytes);
        ASSERT_EQ(apdu.has_value(), c.valid);
        if (!apdu)
            continue;
        EXPECT_EQ(Bytes(apdu->data.begin(), apdu->data.end()), H(c.data));
        EXPECT_EQ(apdu->ne ? long(*apdu->ne) : -1L, c.ne);
        EXPECT_EQ(apdu->neIsWildcard, c.wildcard);
        EXPECT_EQ(apdu->extended, c.extended);
    }
}

// Hex text as scenario files and traces hold it: blanks and line breaks
// between digits, either case; a digit left over or anything else refuses it.
TEST(HexText, DigitsInPairsWithBlanksOrNothing) {
    EXPECT_EQ(FromHex("9f 00\r\n\tab"), Bytes({0x9F, 0x00, 0xAB}));
    EXPECT_EQ(FromHex(""), Bytes());
    for (const char* refused : {"120", "1", "0g", "12-34", "9:"})
        EXPECT_EQ(FromHex(refused), std::nullopt) << refused;
    EXPECT_EQ(ToHex(Bytes({0x0A, 0xF0, 0x5C})), "0AF05C");
}

} // namespace
} // namespace kc::ctapi

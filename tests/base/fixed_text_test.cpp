// SPDX-License-Identifier: Apache-2.0
#include "base/fixed_text.h"
#include "test_printers.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

TEST(FixedText, PadsCutsAndCountsCharactersNotBytes) {
    FixedText<5> ctType;
    EXPECT_EQ(ctType.str(), QStringLiteral("     "));
    ctType = QStringLiteral("QMT3");
    EXPECT_EQ(ctType.str(), QStringLiteral("QMT3 "));
    FixedText<12> cut(QStringLiteral("Unbekanntes Gerät"));
    EXPECT_EQ(cut.str(), QStringLiteral("Unbekanntes "));
}

} // namespace
} // namespace kc

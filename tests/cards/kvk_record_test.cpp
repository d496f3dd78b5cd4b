// SPDX-License-Identifier: Apache-2.0
#include "card_test_support.h"
#include "cards/approval_number.h"
#include "cards/kvk_record.h"
#include "cards/kvk_text.h"
#include "data_cases.h"
#include "fake_ui.h"

#include <QMap>
#include <gtest/gtest.h>

namespace kc {
namespace {

using test::HandheldAdditions;
using test::KvkRecordFile;
using test::Tlv;

// The boxes of a case's codes: N no KVK, C checksum, T handheld checksum, L handheld length, D defective.
QStringList Boxes(const QString& codes) {
    const QMap<QChar, QString> box{
        {QLatin1Char('N'), test::Stop(QStringLiteral(" Keine Krankenversichertenkarte!!! "))},
        {QLatin1Char('C'), test::Stop(QStringLiteral(" Prüfsumme KVK korrupt!!! "))},
        {QLatin1Char('T'), test::Stop(QStringLiteral(" Prüfsummezusatz KVK korrupt!!! "))},
        {QLatin1Char('L'), test::Stop(QStringLiteral(" Unbekannte Länge Prüfsummezusatz KVK! "))},
        {QLatin1Char('D'), test::Shown({MessageRequest{QStringLiteral("Defekter KVK Datensatz!!!"),
                                                       QStringLiteral(" KartoCheck KVK lesen "),
                                                       MsgButtons::Ok, MsgIcon::Exclamation}})
                               .first()}};
    QStringList boxes;
    for (const QChar code : codes)
        boxes += box.value(code);
    return boxes;
}

// A record from its recipe, applied word by word: a file of tests/data/kvk,
// "+HEX" or "+HEX*N" appended, "left:N", "NEW>at:N" written over, "OLD>NEW"
// replaced, "tlv:TAG:TEXT" and "handheld:DATE:APPROVAL[:CHECKSUM DELTA]" appended.
QString RecordOf(const QString& recipe) {
    QString record;
    for (const QString& word : recipe.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList parts = word.split(QLatin1Char(':'));
        const QStringList sides = word.split(QLatin1Char('>'));
        if (word.endsWith(QLatin1String(".hex")))
            record += KvkRecordFile(word);
        else if (word.startsWith(QLatin1Char('+')))
            record += word.mid(1)
                          .section(QLatin1Char('*'), 0, 0)
                          .repeated(qMax(1, word.section(QLatin1Char('*'), 1).toInt()));
        else if (parts[0] == QLatin1String("left"))
            record = record.left(parts[1].toInt());
        else if (parts[0] == QLatin1String("tlv"))
            record += Tlv(parts[1].toInt(nullptr, 16), parts[2].toLatin1());
        else if (parts[0] == QLatin1String("handheld"))
            record += HandheldAdditions(parts[1].toLatin1(), parts[2].toLatin1(), parts.value(3).toInt());
        else if (sides[1].startsWith(QLatin1String("at:")))
            record.replace(sides[1].mid(3).toInt(), sides[0].size(), sides[0]);
        else {
            EXPECT_TRUE(record.contains(sides[0])) << qPrintable(word);
            record.replace(sides[0], sides[1]);
        }
    }
    return record;
}

// One slot of fresh tables, parsed into.
struct Parsed {
    Parsed(const QString& record, bool mobile) {
        tables.terminal[kSlot].IsMobile = mobile;
        refused = ParseKvkRecord(target, kSlot, record);
    }
    static constexpr int kSlot = 3;
    const InsuredRecord& fields() const { return tables.insured[kSlot]; }
    const TerminalInfo& info() const { return tables.terminal[kSlot]; }
    QString identity() const {
        return info().OutputMedium.str().trimmed() + QLatin1Char('/') + info().ModelText.str().trimmed() +
               QLatin1Char('/') + info().Manufacturer.str() + QLatin1Char('/') +
               info().CtType.str().trimmed();
    }

    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    uint16_t selectedPort = 3;
    KvkParseTarget target{tables, selectedPort, boxes};
    bool refused = false;
};

class KvkTextCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/cards/kvk_text.txt: the seven German codes, Windows-1252 otherwise,
// and only the digits asked for.
TEST_P(KvkTextCase, IsDecoded) {
    EXPECT_EQ(DecodeKvkText(GetParam()[1], GetParam()[2].toInt()), GetParam()[3]);
}

INSTANTIATE_TEST_SUITE_P(KvkText, KvkTextCase, ::testing::ValuesIn(test::CaseRows("cards/kvk_text.txt")),
                         test::FirstCellName());

TEST(KvkTextTest, AZeroByteIsACharacterNotTheEnd) {
    EXPECT_EQ(DecodeKvkText(QStringLiteral("410042"), 6).size(), 3);
}

class HexTextCase : public ::testing::TestWithParam<QStringList> {};

TEST_P(HexTextCase, IsHexadecimalOnlyWhenEveryPairIs) {
    EXPECT_EQ(IsHexRecordText(GetParam()[1]), GetParam()[2] == QStringLiteral("1"));
}

INSTANTIATE_TEST_SUITE_P(KvkText, HexTextCase, ::testing::ValuesIn(test::CaseRows("cards/kvk_hex.txt")),
                         test::FirstCellName());

class KvkRecordCase : public ::testing::TestWithParam<test::DataCase> {};

// The fields, boxes and terminal's identity of each record form: tests/data/cards/kvk_record_fields.txt.
TEST_P(KvkRecordCase, GivesFieldsAndTerminalIdentity) {
    const test::DataCase& c = GetParam();
    Parsed p(QString(), c.field("handheld") == QStringLiteral("1"));
    p.tables.insured[Parsed::kSlot][Einlesedatum] = QStringLiteral("vorher");
    p.tables.insured[Parsed::kSlot][Familienname] = QStringLiteral("vorher");
    p.tables.terminal[Parsed::kSlot].Manufacturer = QStringLiteral("OTHER");
    p.boxes.shown.clear();
    EXPECT_FALSE(ParseKvkRecord(p.target, Parsed::kSlot, RecordOf(c.field("record"))));
    EXPECT_EQ(test::Shown(p.boxes.shown), Boxes(c.field("boxes")));
    for (const QString& item : test::Items(c.field("fields"))) {
        const auto equals = item.indexOf(QLatin1Char('='));
        EXPECT_EQ(p.fields()[item.left(equals).toUInt()], item.mid(equals + 1));
    }
    EXPECT_EQ(p.identity(), c.field("identity"));
}

INSTANTIATE_TEST_SUITE_P(KvkRecord, KvkRecordCase,
                         ::testing::ValuesIn(test::DataCases("cards/kvk_record_fields.txt")),
                         test::CaseName());

class RefusedRecordCase : public ::testing::TestWithParam<QStringList> {};

// A refused record and its messages, one named row of tests/data/cards/kvk_record_refused.txt.
TEST_P(RefusedRecordCase, IsRefusedWithItsMessages) {
    const QStringList& c = GetParam();
    const Parsed p(RecordOf(c[1]), c[2] == QStringLiteral("1"));
    EXPECT_TRUE(p.refused);
    EXPECT_EQ(test::Shown(p.boxes.shown), Boxes(c[3]));
    for (const QString& item : test::Items(c.value(4)))
        EXPECT_EQ(p.fields()[item.section(QLatin1Char('='), 0, 0).toUInt()],
                  item.section(QLatin1Char('='), 1, -1));
}

INSTANTIATE_TEST_SUITE_P(KvkRecord, RefusedRecordCase,
                         ::testing::ValuesIn(test::CaseRows("cards/kvk_record_refused.txt")),
                         test::FirstCellName());

class ApprovalCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/cards/kvk_approval.txt: the approval number rewrites the terminal's identity.
TEST_P(ApprovalCase, RewritesTheTerminalIdentity) {
    const QStringList& c = GetParam();
    SlotTables tables;
    tables.terminal[2].CtType = c[2];
    tables.terminal[2].Manufacturer = QStringLiteral("OTHER");
    ApplyZulassungsnummer(c[1], tables, c[3].toUShort(), 2);
    const TerminalInfo& info = tables.terminal[2];
    EXPECT_EQ(QStringList({info.ModelText.str().trimmed(), info.Manufacturer.str(), info.CtType.str()}),
              c.mid(4));
}

INSTANTIATE_TEST_SUITE_P(ApplyZulassungsnummer, ApprovalCase,
                         ::testing::ValuesIn(test::CaseRows("cards/kvk_approval.txt")),
                         test::FirstCellName());

} // namespace
} // namespace kc

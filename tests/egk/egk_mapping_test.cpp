// SPDX-License-Identifier: Apache-2.0
#include "case_rows.h"
#include "data_cases.h"
#include "egk/egk_mapping.h"
#include "egk/latin9.h"
#include "egk/xml_date.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

using MapFn = bool (*)(const XmlNode&, EgkFieldBuffer&, EgkResults&);

struct Mapped {
    bool failed = false;
    EgkFieldBuffer fields;
    EgkResults results;
};

// Maps the text onto what the preset already holds.
Mapped Map(MapFn map, const QString& text, Mapped preset = {}) {
    auto document = test::Parsed(text);
    preset.failed = map(document->documentElement(), preset.fields, preset.results);
    return preset;
}

// In the order of InsuredField.
// clang-format off
const QStringList kFieldNames = {"Krankenkassenname", "Krankenkassennummer", "Versichertennummer", "VKNR",
    "Versichertenstatus", "Statusergaenzung", "Titel", "Vorname", "Namenszusatz", "Familienname", "Geburtsdatum",
    "Strasse", "Wohnsitzlaendercode", "Postleitzahl", "Ortsname", "Gueltigkeitsdatum", "Pruefsumme",
    "Einlesedatum", "Zulassungsnummer", "Pruefsummezusatz"};
// clang-format on

// The field a "Name=value" line names.
QString& FieldOf(EgkFieldBuffer& fields, const QString& line) {
    const qsizetype index = kFieldNames.indexOf(line.section(QLatin1Char('='), 0, 0));
    EXPECT_GE(index, 0) << line.toStdString();
    return fields[std::size_t(std::max<qsizetype>(index, 0))];
}

class DateCase : public ::testing::TestWithParam<QStringList> {};

// One row of tests/data/egk/dates.txt: both orders are read, what is no date is refused.
TEST_P(DateCase, IsNormalisedOrRefused) {
    const QStringList& c = GetParam();
    const std::optional<QString> expected = c[2] == "-" ? std::nullopt : std::optional<QString>(c[2]);
    EXPECT_EQ(NormalizeXmlDate(c[1]), expected);
    EXPECT_EQ(PassesXmlDateTest(c[1]), expected.has_value());
}

INSTANTIATE_TEST_SUITE_P(NormalizeXmlDate, DateCase, ::testing::ValuesIn(test::CaseRows("egk/dates.txt")),
                         test::FirstCellName());

class MappingCase : public ::testing::TestWithParam<test::DataCase> {};

// The cases of mapping.txt; its head says how a case is written.
TEST_P(MappingCase, MapsTheDocument) {
    const test::DataCase& c = GetParam();
    const QString kind = c.head;
    QStringList block;
    for (const QString& line : c.lines)
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("# ")))
            block << line;
    ASSERT_FALSE(block.isEmpty());
    QString document = block.takeFirst();
    if (document.startsWith(QLatin1Char('@')))
        document = Latin9ToString(test::EgkTestFile(document.mid(1)));
    Mapped m;
    for (const QString& line : block) {
        if (line.startsWith(QLatin1Char('<')))
            FieldOf(m.fields, line.mid(1)) = line.section(QLatin1Char('='), 1);
    }
    m = Map(kind == "PD" ? MapPdDocument : kind == "VD" ? MapVdDocument : MapGvdDocument, document, m);
    EXPECT_EQ(m.failed, block.contains(QStringLiteral("failed")));
    for (const QString& line : block) {
        if (line.startsWith(QLatin1Char('#'))) {
            const std::size_t n = line.mid(1).section(QLatin1Char(' '), 0, 0).toUInt();
            const ElementEntry& entry = kind == "PD"   ? m.results.PdElementList[n]
                                        : kind == "VD" ? m.results.VdElementList[n]
                                                       : m.results.GvdElementList[n];
            const QString expected = line.section(QLatin1Char(' '), 1);
            EXPECT_EQ(entry.name, expected == "-" ? QString() : expected.section(QLatin1Char('='), 0, 0))
                << n;
            if (expected.contains(QLatin1Char('='))) {
                EXPECT_EQ(entry.text, expected.section(QLatin1Char('='), 1)) << n;
            }
        } else if (line != "failed" && !line.startsWith(QLatin1Char('<'))) {
            EXPECT_EQ(FieldOf(m.fields, line), line.section(QLatin1Char('='), 1)) << line.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MapDocument, MappingCase, ::testing::ValuesIn(test::DataCases("egk/mapping.txt")),
                         test::CaseName());

TEST(MapPdDocument, WithoutAddressTheStreetComesFromEarlierParts) {
    Mapped earlier;
    earlier.results.FirstAddress = {QStringLiteral("Alte Str."), QStringLiteral("7"), QString()};
    EXPECT_EQ(Map(MapPdDocument, Latin9ToString(test::EgkTestFile("documents/pd_no_address.xml")), earlier)
                  .fields[Strasse],
              "Alte Str. 7 ");
}

TEST(MapGvdDocument, EntriesBeyondThoseWrittenStay) {
    Mapped old;
    for (ElementEntry& entry : old.results.GvdElementList)
        entry = {QStringLiteral("alt"), QStringLiteral("x")};
    const Mapped m = Map(MapGvdDocument, Latin9ToString(test::EgkTestFile("documents/ef_gvd.xml")), old);
    const char* names[] = {"Status", "Aerztlich", "Zahnaerztlich", "alt"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.results.GvdElementList[std::size_t(i)].name, names[i]) << i;
}

} // namespace
} // namespace kc

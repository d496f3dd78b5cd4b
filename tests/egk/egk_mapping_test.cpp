// SPDX-License-Identifier: Apache-2.0
#include "data_cases.h"
#include "data_rows.h"
#include "egk/egk_mapping.h"
#include "egk/latin9.h"
#include "egk/xml_date.h"
#include "egk_test_support.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

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
    EgkFieldBuffer fields;
    EgkResults results;
    // Entry n of the document's element list, for a line "#n ...".
    const auto entry = [&results, &kind](const QString& line) -> ElementEntry& {
        const std::size_t n = line.mid(1).section(QLatin1Char(' '), 0, 0).toUInt();
        return kind == "PD"   ? results.PdElementList[n]
               : kind == "VD" ? results.VdElementList[n]
                              : results.GvdElementList[n];
    };
    for (const QString& line : block) {
        const QString value = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("<#")))
            entry(line.mid(1)) = {line.section(QLatin1Char(' '), 1).section(QLatin1Char('='), 0, 0), value};
        else if (line.startsWith(QLatin1String("<address=")))
            results.FirstAddress = {value.section('|', 0, 0), value.section('|', 1, 1),
                                    value.section('|', 2)};
        else if (line.startsWith(QLatin1Char('<')))
            FieldOf(fields, line.mid(1)) = value;
    }
    const auto map = kind == "PD" ? MapPdDocument : kind == "VD" ? MapVdDocument : MapGvdDocument;
    EXPECT_EQ(map(test::Parsed(document)->documentElement(), fields, results),
              block.contains(QStringLiteral("failed")));
    for (const QString& line : block) {
        if (line.startsWith(QLatin1Char('#'))) {
            const QString expected = line.section(QLatin1Char(' '), 1);
            EXPECT_EQ(entry(line).name,
                      expected == "-" ? QString() : expected.section(QLatin1Char('='), 0, 0))
                << qPrintable(line);
            if (expected.contains(QLatin1Char('='))) {
                EXPECT_EQ(entry(line).text, expected.section(QLatin1Char('='), 1)) << qPrintable(line);
            }
        } else if (line != "failed" && !line.startsWith(QLatin1Char('<'))) {
            EXPECT_EQ(FieldOf(fields, line), line.section(QLatin1Char('='), 1)) << line.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MapDocument, MappingCase, ::testing::ValuesIn(test::DataCases("egk/mapping.txt")),
                         test::CaseName());

} // namespace
} // namespace kc

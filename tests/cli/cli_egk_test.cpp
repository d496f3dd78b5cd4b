// SPDX-License-Identifier: Apache-2.0
// kartocheck-cli read of the simulator's built-in eGK on USB device 1.
#include "cli_runner.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

CliResult ReadDefaultEgk(const QStringList& options) {
    return RunCli({QStringList{QStringLiteral("read"), QStringLiteral("8192")} + options, {}, {}, {}});
}

const QString kPassed = QStringLiteral("war erfolgreich!");

TEST(CliEgkTest, DefaultEgkShowsTheMappedFieldsAndTheCardPanel) {
    const CliResult run = ReadDefaultEgk({});
    EXPECT_EQ(run.status, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("eGK VSDaten(Karte) abgebildet auf die Krankenversicherten Kartendaten\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Stationäres Kartenterminal:\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("  ICC Serial Number:       0x80276883110000017222\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Persönliche Versichertendaten:\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Geschützte Versichertendaten:\n")));
    EXPECT_EQ(run.out.count(QStringLiteral("Es wurde keine Validierung der XML Daten durchgeführt!")), 3);
    EXPECT_FALSE(run.out.contains(QStringLiteral("<?xml")));
    EXPECT_FALSE(run.out.contains(QLatin1Char('[')));
}

TEST(CliEgkTest, ValidationPassesForEachDocumentAndTheXmlTextsComeOnRequest) {
    const CliResult run = ReadDefaultEgk({QStringLiteral("--validate"), QStringLiteral("--xml")});
    EXPECT_EQ(run.status, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out.count(kPassed), 3) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("mittels vorgegebenen Schema für UC_PersoenlicheVersichertendatenXML")));
    EXPECT_EQ(run.out.count(QStringLiteral("Gelesene und dekomprimierte Daten:\n")), 3);
    EXPECT_TRUE(run.out.contains(QStringLiteral("<UC_PersoenlicheVersichertendatenXML")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("<UC_GeschuetzteVersichertendatenXML")));
}

TEST(CliEgkTest, ASchemaThatDoesNotFitLeavesItsDocumentUnloaded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile schema(dir.filePath(QStringLiteral("anderes.xsd")));
    ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
    schema.write("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                 "targetNamespace=\"urn:kartocheck:anderes\"/>");
    schema.close();
    const CliResult run =
        ReadDefaultEgk({QStringLiteral("--validate"), QStringLiteral("--schema-pd"), schema.fileName()});
    // VD and GVD still pass; the PD cannot be checked against a schema that does not fit.
    EXPECT_EQ(run.status, 3) << qPrintable(run.err);
    EXPECT_EQ(run.out.count(kPassed), 2) << qPrintable(run.out);
    EXPECT_TRUE(run.out.contains(QStringLiteral("  Familienname:\n")));
}

} // namespace
} // namespace kc::test

#include "sim_harness.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QString output;
};

// The built program on the simulator's built-in scenario: an eGK on USB device 1.
CliRun ReadDefaultEgk(const QStringList& options) {
    const QString bin = kc::test::SimHarness::BinDir();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), bin + QStringLiteral("/libmktsim.so"));
    env.remove(QStringLiteral("MKTSIM_SCENARIO"));
    env.remove(QStringLiteral("MKTSIM_TRACE"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(bin + QStringLiteral("/kartocheck-cli"),
                  QStringList({QStringLiteral("read"), QStringLiteral("8192")}) + options);
    EXPECT_TRUE(process.waitForStarted()) << qPrintable(process.errorString());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

const QString kPassed = QStringLiteral("war erfolgreich!");

TEST(CliEgkTest, DefaultEgkShowsTheMappedFieldsAndTheCardPanel) {
    const CliRun run = ReadDefaultEgk({});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(
        QStringLiteral("eGK VSDaten(Karte) abgebildet auf die Krankenversicherten Kartendaten\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  Familienname:             Heckhausén\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  WOP:                      46\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("Stationäres Kartenterminal:\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("  ICC Serial Number:       0x80276883110000017222\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("Persönliche Versichertendaten:\n")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("Geschützte Versichertendaten:\n")));
    EXPECT_EQ(run.output.count(QStringLiteral("Es wurde keine Validierung der XML Daten durchgeführt!")), 3);
    EXPECT_FALSE(run.output.contains(QStringLiteral("<?xml")));
}

TEST(CliEgkTest, ValidationPassesForEachDocument) {
    const CliRun run = ReadDefaultEgk({QStringLiteral("--validate")});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    EXPECT_EQ(run.output.count(kPassed), 3) << qPrintable(run.output);
    EXPECT_TRUE(run.output.contains(
        QStringLiteral("mittels vorgegebenen Schema für UC_PersoenlicheVersichertendatenXML")));
}

TEST(CliEgkTest, XmlTextsOnRequest) {
    const CliRun run = ReadDefaultEgk({QStringLiteral("--xml")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.count(QStringLiteral("Gelesene und dekomprimierte Daten:\n")), 3);
    EXPECT_TRUE(run.output.contains(QStringLiteral("<UC_PersoenlicheVersichertendatenXML")));
    EXPECT_TRUE(run.output.contains(QStringLiteral("<UC_GeschuetzteVersichertendatenXML")));
}

TEST(CliEgkTest, ReplacedSchemaChangesThatDocumentsResult) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile schema(dir.filePath(QStringLiteral("anderes.xsd")));
    ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
    schema.write("<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
                 "targetNamespace=\"urn:kartocheck:anderes\"/>");
    schema.close();
    const CliRun run =
        ReadDefaultEgk({QStringLiteral("--validate"), QStringLiteral("--schema-pd"), schema.fileName()});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.output);
    // VD and GVD still pass; the PD is now checked against a schema that does not fit.
    EXPECT_EQ(run.output.count(kPassed), 2) << qPrintable(run.output);
}

TEST(CliEgkTest, MissingSchemaFileIsAWrongCall) {
    const CliRun run =
        ReadDefaultEgk({QStringLiteral("--schema-vd"), QStringLiteral("/nonexistent/schema.xsd")});
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.output.contains(QStringLiteral("Schemadatei nicht gefunden: /nonexistent/schema.xsd")));
}

} // namespace

// SPDX-License-Identifier: Apache-2.0
// What a script relies on when it runs kartocheck-cli: exit statuses, the two
// output streams, the usage and --json against its schema.
#include "cli_runner.h"
#include "data_cases.h"
#include "data_rows.h"
#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

QString Library(const char* file) {
    return SimHarness::BinDir() + QLatin1Char('/') + QString::fromLatin1(file);
}

QStringList Args(const QString& field) {
    return field.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A case's text with the build's places put in.
QString Placed(QString text) {
    return text.replace(QStringLiteral("{version}"), QStringLiteral(KC_PROJECT_VERSION))
        .replace(QStringLiteral("{bin}"), SimHarness::BinDir())
        .replace(QStringLiteral("{schemas}"), QDir(SimHarness::BinDir()).canonicalPath())
        .replace(QStringLiteral("{data}"), SimHarness::TestDataDir())
        .replace(QStringLiteral("{broken}"), QStringLiteral(KC_BROKEN_CTAPI_DIR));
}

// The values of every "key: value" line of a case, in their order.
QStringList Listed(const DataCase& c, const QString& key) {
    QStringList values;
    for (const QString& line : c.lines)
        if (line.startsWith(key + QLatin1String(": ")))
            values.append(
                Placed(line.mid(key.size() + 2).replace(QLatin1String("\\n"), QLatin1String("\n"))));
    return values;
}

// What a case's "out"/"err" lines ask of one output stream.
void ExpectStream(const DataCase& c, const QString& stream, const QString& text) {
    qsizetype from = 0;
    for (const QString& wanted : Listed(c, stream)) {
        const qsizetype at = text.indexOf(wanted, from);
        EXPECT_GE(at, 0) << "missing in order: " << qPrintable(wanted) << "\n" << qPrintable(text);
        from = at < 0 ? from : at + wanted.size();
    }
    for (const QString& pattern : Listed(c, stream + QLatin1Char('~')))
        EXPECT_TRUE(text.contains(QRegularExpression(pattern))) << qPrintable(pattern) << "\n"
                                                                << qPrintable(text);
    for (const QString& absent : Listed(c, QStringLiteral("no-") + stream))
        EXPECT_FALSE(text.contains(absent)) << qPrintable(absent);
    for (const QString& count : Listed(c, QStringLiteral("count-") + stream)) {
        const QString times = count.section(QLatin1Char(' '), 0, 0),
                      what = count.section(QLatin1Char(' '), 1);
        if (times.startsWith(QLatin1Char('<')))
            EXPECT_LT(text.count(what), times.mid(1).toInt()) << qPrintable(what);
        else
            EXPECT_EQ(text.count(what), times.toInt()) << qPrintable(what);
    }
}

class CliCallCase : public ::testing::TestWithParam<DataCase> {};

// Exit status, texts, trace and usage of each call of tests/data/cli/cli_calls.txt and cli_runs.txt.
TEST_P(CliCallCase, GivesItsStatusAndText) {
    const DataCase& c = GetParam();
    const QString given = Placed(c.field("library"));
    const QString library = given.startsWith(QLatin1Char('@')) ? Library(qPrintable(given.mid(1))) : given;
    const QTemporaryDir dir;
    QFile trace(dir.filePath(QStringLiteral("trace.txt")));
    // {link}: a symbolic link beside the trace, to where the trace would be.
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    static_cast<void>(QFile::link(trace.fileName(), link));
    const auto placed = [&](const char* field) {
        return Placed(c.field(field))
            .replace(QStringLiteral("{trace}"), trace.fileName())
            .replace(QStringLiteral("{link}"), link);
    };
    const QStringList args = Args(placed("args"));
    const CliResult run = RunCli({args, c.field("scenario"), c.field("input").toUtf8(), library});
    EXPECT_EQ(run.status, c.field("status").toInt()) << qPrintable(run.err);
    ExpectStream(c, QStringLiteral("out"), run.out);
    ExpectStream(c, QStringLiteral("err"), run.err);
    static_cast<void>(trace.open(QIODevice::ReadOnly));
    ExpectStream(c, QStringLiteral("trace"), QString::fromUtf8(trace.readAll()));
    if (c.field("text").isEmpty())
        return;
    const bool ok = run.status == 0;
    EXPECT_TRUE((ok ? run.out : run.err).contains(placed("text"))) << qPrintable(ok ? run.out : run.err);
    EXPECT_EQ(ok ? run.err : run.out, QString());
}

INSTANTIATE_TEST_SUITE_P(CliCalls, CliCallCase, ::testing::ValuesIn(DataCases("cli/cli_calls.txt")),
                         CaseName());
INSTANTIATE_TEST_SUITE_P(CliRuns, CliCallCase, ::testing::ValuesIn(DataCases("cli/cli_runs.txt")),
                         CaseName());

// The schema's own validator; an empty text when the document fits.
QString SchemaViolations(const QString& document) {
    static const char kCheck[] = "import json, sys, jsonschema\n"
                                 "schema = json.load(open(sys.argv[1], encoding='utf-8'))\n"
                                 "jsonschema.Draft202012Validator.check_schema(schema)\n"
                                 "doc = json.loads(sys.stdin.buffer.read().decode('utf-8'))\n"
                                 "for e in jsonschema.Draft202012Validator(schema).iter_errors(doc):\n"
                                 "    print(list(e.absolute_path), e.message)\n";
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kCheck), QStringLiteral(KC_CLI_SCHEMA)});
    if (!python.waitForStarted(10000))
        return QStringLiteral("python3 fehlt");
    python.write(document.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished(30000);
    const QString problems =
        QString::fromUtf8(python.readAllStandardOutput() + python.readAllStandardError());
    return python.exitCode() == 0 ? problems : problems + QStringLiteral("(python3 endete mit Fehler)");
}

// A value of a report by its path ("ports/0/card/kind"): a string as it is, anything else as JSON.
QString At(const QJsonObject& report, const QString& path) {
    QJsonValue value = report;
    for (const QString& step : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int n = step.toInt(&index);
        value = index ? value.toArray()[n] : value.toObject()[step];
    }
    if (value.isString())
        return value.toString();
    const QString json = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    return json.mid(1, json.size() - 2);
}

class CliJsonCase : public ::testing::TestWithParam<DataCase> {};

// Each run of tests/data/cli/cli_json.txt prints one document that fits the schema.
TEST_P(CliJsonCase, IsOneDocumentThatFitsTheSchema) {
    const DataCase& c = GetParam();
    const CliResult run = RunCli({Args(c.field("args")), c.field("scenario"), c.field("input").toUtf8(), {}});
    QJsonParseError error;
    const QJsonObject report = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString() + run.out);
    EXPECT_EQ(SchemaViolations(run.out), QString());
    EXPECT_EQ(report.value(QStringLiteral("exit_status")).toInt(-1), run.status);
    for (const QString& check : Items(c.field("checks")))
        EXPECT_EQ(At(report, check.section(QLatin1Char('='), 0, 0)), check.section(QLatin1Char('='), 1, -1));
}

INSTANTIATE_TEST_SUITE_P(CliJson, CliJsonCase, ::testing::ValuesIn(DataCases("cli/cli_json.txt")),
                         CaseName());

TEST(CliContractTest, CtrlCAtAQuestionEndsTheRunWithStatusFour) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), Library("libmktsim.so"));
    env.insert(QStringLiteral("KARTOCHECK_COM3"), QStringLiteral("/nonexistent/kc-ctrl-c-com3"));
    env.insert(QStringLiteral("MKTSIM_SCENARIO"),
               SimHarness::ScenarioDir() + QStringLiteral("/kvk/insert_card_later.scn"));
    process.setProcessEnvironment(env);
    process.start(Library("kartocheck-cli"),
                  {QStringLiteral("read"), QStringLiteral("3"), QStringLiteral("--json")});
    ASSERT_TRUE(process.waitForStarted(10000));
    // Standard input stays open: the program waits at the insert-card question.
    process.setReadChannel(QProcess::StandardError);
    QByteArray said;
    while (!said.contains("Antwort (o/a): ") && process.waitForReadyRead(10000))
        said += process.readAllStandardError();
    ASSERT_TRUE(said.contains("Antwort (o/a): ")) << said.constData();
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 4);
    const QJsonObject report = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    EXPECT_EQ(At(report, QStringLiteral("ended_by")), QStringLiteral("interrupted"));
    EXPECT_EQ(At(report, QStringLiteral("messages/0/answer")), QStringLiteral("Abbrechen"));
}

} // namespace
} // namespace kc::test

// What a script relies on when it runs kartocheck-cli: exit statuses, the two
// output streams, the usage, --json against its schema, and --batch never
// erasing a handheld's record without --erase.
#include "cli_runner.h"
#include "sim_harness.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace kc::test {
namespace {

const QString kRead = QStringLiteral("read");
const QString kBatch = QStringLiteral("--batch");

QString Library(const char* file) {
    return SimHarness::BinDir() + QLatin1Char('/') + QString::fromLatin1(file);
}

QString Describe(const CliCall& call) {
    return call.args.join(QLatin1Char(' ')) + QStringLiteral(" [") + call.scenario + QStringLiteral("]");
}

TEST(CliContractTest, ExitStatusPerSituation) {
    struct Case {
        CliCall call;
        int status;
    };
    const Case cases[] = {
        Case({{kRead, QStringLiteral("3")}, QStringLiteral("kvk/stationary_template_6081.scn"), {}, {}}, 0),
        Case({{kRead, QStringLiteral("8192"), QStringLiteral("--validate")}, {}, {}, {}}, 0),
        Case({{kRead, QStringLiteral("8192")}, QStringLiteral("egk/stationary_gvd_protected.scn"), {}, {}},
             3),
        Case({{kRead, QStringLiteral("8192")}, QStringLiteral("egk/pd_not_gzip.scn"), {}, {}}, 3),
        Case({{kRead, QStringLiteral("8192"), QStringLiteral("--validate")},
              QStringLiteral("egk/pd_unknown_encoding.scn"),
              {},
              {}},
             3),
        Case({{kRead, QStringLiteral("3"), kBatch}, QStringLiteral("kvk/insert_card_later.scn"), {}, {}}, 1),
        Case({{kRead, QStringLiteral("3")}, QStringLiteral("kvk/insert_card_later.scn"), "a\n", {}}, 1),
        Case({{kRead, QStringLiteral("3")}, QStringLiteral("kvk/insert_card_later.scn"), "", {}}, 4),
        Case({{kRead, QStringLiteral("3")}, QStringLiteral("kvk/broken_checksum.scn"), {}, {}}, 1),
        Case({{QStringLiteral("scan"), kBatch}, {}, {}, {}}, 0),
        // A terminal answers, but no card comes.
        Case({{QStringLiteral("scan"), kBatch}, QStringLiteral("discovery/mct-6f00-port9.scn"), {}, {}}, 1),
        Case({{QStringLiteral("status"), QStringLiteral("8192")}, {}, {}, {}}, 0),
        Case({{QStringLiteral("status"), QStringLiteral("9")},
              QStringLiteral("discovery/free-ports.scn"),
              {},
              {}},
             1),
        Case({{kRead, QStringLiteral("3")}, {}, {}, QStringLiteral("/nonexistent/libnothing.so")}, 2),
        Case({{kRead, QStringLiteral("8192")}, {}, {}, Library("libmktsim_broken.so")}, 2),
    };
    for (const auto& c : cases) {
        const CliResult run = RunCli(c.call);
        EXPECT_EQ(run.status, c.status) << qPrintable(Describe(c.call) + QLatin1Char('\n') + run.err);
    }
}

TEST(CliContractTest, DataOnStdoutTalkOnStderr) {
    const CliCall call{
        {kRead, QStringLiteral("3"), kBatch}, QStringLiteral("kvk/insert_card_later.scn"), {}, {}};
    const CliResult run = RunCli(call);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Krankenversicherten Kartendaten")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nStatus\n")));
    for (const QString& talk : {QStringLiteral("Status: "), QStringLiteral("=== \" KartoCheck \""),
                                QStringLiteral("-> Abbrechen (--batch)"), QStringLiteral("Hinweis: COM 3")}) {
        EXPECT_TRUE(run.err.contains(talk)) << qPrintable(talk);
        EXPECT_FALSE(run.out.contains(talk)) << qPrintable(talk);
    }
    CliCall quiet = call;
    quiet.args.append(QStringLiteral("-q"));
    const CliResult silent = RunCli(quiet);
    EXPECT_FALSE(silent.err.contains(QStringLiteral("Status: ")));
    EXPECT_TRUE(silent.err.contains(QStringLiteral("-> Abbrechen (--batch)")));
    EXPECT_EQ(silent.out, run.out);

    const CliResult missing =
        RunCli({{kRead, QStringLiteral("3")}, {}, {}, QStringLiteral("/nonexistent/libnothing.so")});
    EXPECT_TRUE(missing.err.contains(
        QStringLiteral("=== \" KartoCheck \" (Stopp) ===\nDatei nicht gefunden, CTZAV32.dll !!!\n[OK]\n")));
    EXPECT_EQ(missing.out, QString());
}

TEST(CliContractTest, UsageOnRequestAndWrongCallsNamed) {
    const QString portRange = QStringLiteral("\nErlaubt sind 1 bis 65535");
    struct Case {
        QStringList args;
        int status;
        QString text; // on stdout for status 0, on stderr otherwise
    };
    const Case cases[] = {
        Case({QStringLiteral("--help")}, 0, QStringLiteral("Rückgabewerte:\n  0   Kartendaten gelesen")),
        Case({QStringLiteral("-h")}, 0, QStringLiteral("\nUmgebung:\n")),
        Case({QStringLiteral("help")}, 0, QStringLiteral("\nFragen:\n")),
        Case({QStringLiteral("help"), kRead}, 0, QStringLiteral("  kartocheck-cli read PN [OPTIONEN]\n")),
        Case({kRead, QStringLiteral("--help")}, 0, QStringLiteral("  kartocheck-cli read PN [OPTIONEN]\n")),
        Case({QStringLiteral("status"), QStringLiteral("-h")}, 0,
             QStringLiteral("  1   kein Terminal am Port\n")),
        Case({}, 64, QStringLiteral("kartocheck-cli: Es fehlt ein Befehl.\nHilfe: kartocheck-cli --help\n")),
        Case({QStringLiteral("lesen"), QStringLiteral("3")}, 64,
             QStringLiteral("kartocheck-cli: Unbekannter Befehl: lesen\nHilfe: kartocheck-cli --help\n")),
        Case({QStringLiteral("--fast")}, 64, QStringLiteral("kartocheck-cli: Unbekannte Option: --fast\n")),
        Case({kRead, QStringLiteral("3"), QStringLiteral("--fast")}, 64,
             QStringLiteral(
                 "kartocheck-cli: Unbekannte Option für read: --fast\nHilfe: kartocheck-cli read --help\n")),
        Case({QStringLiteral("diagnose"), QStringLiteral("2"), QStringLiteral("--json")}, 64,
             QStringLiteral("Unbekannte Option für diagnose: --json\n")),
        Case({kRead, QStringLiteral("0")}, 64, QStringLiteral("Ungültige Portnummer: 0") + portRange),
        Case({kRead}, 64, QStringLiteral("Die Portnummer PN fehlt.\n")),
        Case({QStringLiteral("scan"), QStringLiteral("3")}, 64, QStringLiteral("Überzählige Angabe: 3\n")),
        Case({kRead, QStringLiteral("1"), QStringLiteral("--erase")}, 64,
             QStringLiteral("--erase gilt nur zusammen mit --batch")),
        Case({kRead, QStringLiteral("3"), QStringLiteral("--trace")}, 64,
             QStringLiteral("Zu --trace fehlt die Angabe DATEI.\n")),
        Case({kRead, QStringLiteral("3"), QStringLiteral("--trace"),
              QStringLiteral("/nonexistent/dir/trace.txt")},
             64, QStringLiteral("Die Trace-Datei /nonexistent/dir/trace.txt lässt sich nicht schreiben: ")),
        Case({kRead, QStringLiteral("3"), QStringLiteral("--schema-vd"),
              QStringLiteral("/nonexistent/schema.xsd")},
             64, QStringLiteral("Schemadatei nicht gefunden: /nonexistent/schema.xsd\n")),
    };
    for (const auto& c : cases) {
        const CliResult run = RunCli({c.args, {}, {}, {}});
        const QString& said = c.status == 0 ? run.out : run.err;
        const QString& quiet = c.status == 0 ? run.err : run.out;
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(said.contains(c.text)) << qPrintable(said);
        EXPECT_EQ(quiet, QString());
    }
}

TEST(CliContractTest, VersionNamesTheLibraryInUse) {
    const CliResult simulator = RunCli({{QStringLiteral("--version")}, {}, {}, {}});
    EXPECT_EQ(simulator.status, 0);
    EXPECT_TRUE(simulator.out.startsWith(QStringLiteral("kartocheck-cli " KC_PROJECT_VERSION "\n")))
        << qPrintable(simulator.out);
    EXPECT_TRUE(simulator.out.contains(QStringLiteral("Terminal-Bibliothek: ") + Library("libmktsim.so") +
                                       QStringLiteral(" (Simulator, Szenario: eingebaut)\n")));
    // The build tree's schemas lie next to the program.
    EXPECT_TRUE(simulator.out.endsWith(QStringLiteral("Schema-Ordner: ") +
                                       QDir(SimHarness::BinDir()).canonicalPath() + QLatin1Char('\n')))
        << qPrintable(simulator.out);

    const CliResult standardNames =
        RunCli({{QStringLiteral("--version")}, {}, {}, Library("libmktsim_std.so")});
    EXPECT_TRUE(standardNames.out.contains(QStringLiteral("Einsprungpunkte: CT_init, CT_data, CT_close\n")));

    const CliResult missing =
        RunCli({{QStringLiteral("--version")}, {}, {}, QStringLiteral("/nonexistent/libctapi.so")});
    EXPECT_EQ(missing.status, 0);
    EXPECT_TRUE(missing.out.contains(
        QStringLiteral("Terminal-Bibliothek: /nonexistent/libctapi.so (nicht verwendbar: ")));
}

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

TEST(CliContractTest, JsonIsOneDocumentThatFitsTheSchema) {
    const QString json = QStringLiteral("--json");
    const CliCall calls[] = {
        CliCall({kRead, QStringLiteral("8192"), json, QStringLiteral("--validate")}, {}, {}, {}),
        CliCall({kRead, QStringLiteral("1"), json, kBatch, QStringLiteral("--erase")},
                QStringLiteral("kvk/handheld_stored.scn"), {}, {}),
        CliCall({kRead, QStringLiteral("8192"), json}, QStringLiteral("egk/stationary_gvd_protected.scn"), {},
                {}),
        CliCall({kRead, QStringLiteral("3"), json}, QStringLiteral("kvk/insert_card_later.scn"), "", {}),
        CliCall({QStringLiteral("scan"), json, kBatch}, {}, {}, {}),
        CliCall({QStringLiteral("status"), QStringLiteral("9"), json},
                QStringLiteral("discovery/free-ports.scn"), {}, {}),
    };
    std::vector<QJsonObject> reports;
    for (const CliCall& call : calls) {
        SCOPED_TRACE(Describe(call).toStdString());
        const CliResult run = RunCli(call);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << qPrintable(error.errorString() + run.out);
        EXPECT_EQ(SchemaViolations(run.out), QString());
        EXPECT_EQ(document.object().value(QStringLiteral("exit_status")).toInt(-1), run.status);
        reports.push_back(document.object());
    }
    // What the documents say, by the example of the first four.
    const auto firstPort = [&](std::size_t i) {
        return reports[i][QStringLiteral("ports")].toArray()[0].toObject();
    };
    const QJsonObject egk = firstPort(0)[QStringLiteral("card")].toObject();
    EXPECT_EQ(egk[QStringLiteral("kind")].toString(), QStringLiteral("egk"));
    EXPECT_EQ(egk[QStringLiteral("fields")].toArray()[9].toObject(),
              (QJsonObject{{QStringLiteral("name"), QStringLiteral("Familienname")},
                           {QStringLiteral("caption"), QStringLiteral("Familienname:")},
                           {QStringLiteral("shown"), true},
                           {QStringLiteral("value"), QStringLiteral("Heckhausén")}}));
    for (const QJsonValue& document : egk[QStringLiteral("egk")][QStringLiteral("documents")].toArray())
        EXPECT_EQ(document[QStringLiteral("validation")].toString(), QStringLiteral("passed"));
    EXPECT_EQ(firstPort(0)[QStringLiteral("terminal")][QStringLiteral("model")].toString(),
              QStringLiteral("Serie Q4"));

    const QJsonObject handheld = firstPort(1)[QStringLiteral("card")].toObject();
    EXPECT_EQ(handheld[QStringLiteral("source")].toString(), QStringLiteral("handheld"));
    EXPECT_EQ(handheld[QStringLiteral("fields")].toArray()[17].toObject()[QStringLiteral("value")].toString(),
              QStringLiteral("15032024"));
    const QJsonArray handheldMessages = reports[1][QStringLiteral("messages")].toArray();
    ASSERT_FALSE(handheldMessages.isEmpty());
    EXPECT_EQ(handheldMessages[0][QStringLiteral("answered_by")].toString(), QStringLiteral("erase_option"));

    const QJsonArray gvdDocuments =
        firstPort(2)[QStringLiteral("card")][QStringLiteral("egk")][QStringLiteral("documents")].toArray();
    EXPECT_FALSE(gvdDocuments[2][QStringLiteral("loaded")].toBool(true));
    EXPECT_FALSE(firstPort(2)[QStringLiteral("card")][QStringLiteral("complete")].toBool(true));

    EXPECT_EQ(reports[3][QStringLiteral("ended_by")].toString(), QStringLiteral("end_of_input"));
    EXPECT_TRUE(firstPort(3)[QStringLiteral("card")].isNull());
}

TEST(CliContractTest, CtrlCAtAQuestionEndsTheRunWithStatusFour) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KARTOCHECK_CTAPI"), Library("libmktsim.so"));
    env.insert(QStringLiteral("KARTOCHECK_COM3"), QStringLiteral("/nonexistent/kc-ctrl-c-com3"));
    env.insert(QStringLiteral("MKTSIM_SCENARIO"),
               SimHarness::ScenarioDir() + QStringLiteral("/kvk/insert_card_later.scn"));
    process.setProcessEnvironment(env);
    process.start(Library("kartocheck-cli"), {kRead, QStringLiteral("3"), QStringLiteral("--json")});
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
    EXPECT_EQ(report[QStringLiteral("ended_by")].toString(), QStringLiteral("interrupted"));
    EXPECT_EQ(report[QStringLiteral("messages")][0][QStringLiteral("answer")].toString(),
              QStringLiteral("Abbrechen"));
}

TEST(CliContractTest, BatchNeverErasesAStoredRecordWithoutErase) {
    struct Case {
        QStringList args;
        QString scenario;
        bool erased;
        int status;
    };
    const Case cases[] = {
        Case({kRead, QStringLiteral("1"), kBatch}, QStringLiteral("kvk/handheld_stored.scn"), false, 1),
        Case({kRead, QStringLiteral("1"), kBatch, QStringLiteral("--erase")},
             QStringLiteral("kvk/handheld_stored.scn"), true, 0),
        Case({kRead, QStringLiteral("1"), kBatch}, QStringLiteral("egk/handheld_egk.scn"), false, 1),
        Case({kRead, QStringLiteral("1"), kBatch, QStringLiteral("--erase")},
             QStringLiteral("egk/handheld_egk.scn"), true, 0),
        Case({QStringLiteral("scan"), kBatch}, QStringLiteral("discovery/qmt3-handheld-usb.scn"), false, 1),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.args.join(QLatin1Char(' ')) + QLatin1Char(' ') + c.scenario).toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        const CliResult run =
            RunCli({c.args + QStringList{QStringLiteral("--trace"), trace}, c.scenario, {}, {}});
        EXPECT_EQ(run.status, c.status) << qPrintable(run.err);
        QFile file(trace);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString traced = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(traced.contains(QStringLiteral("CT_init")));
        EXPECT_EQ(traced.contains(QStringLiteral("an Karte:  000E0000")), c.erased);
    }
}

} // namespace
} // namespace kc::test

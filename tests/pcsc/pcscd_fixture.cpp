#include "pcscd_fixture.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace kc::test {

namespace {

constexpr auto kCardWait = std::chrono::seconds(10);
constexpr int kProgramWaitMs = 90000;

// ctest names the folders; the build's own paths stand in when it does not.
QString EnvOr(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

struct SharedPcscd {
    bool installed = false;
    std::string whyNot;
    std::unique_ptr<PrivatePcscd> instance;
};

SharedPcscd& Shared() {
    static SharedPcscd shared = [] {
        SharedPcscd started;
        started.installed = PrivatePcscd::Installed(started.whyNot);
        if (started.installed)
            started.instance = PrivatePcscd::Start(started.whyNot);
        return started;
    }();
    return shared;
}

} // namespace

QString ScenarioPath(const QString& relative) {
    return QDir(EnvOr("KC_SCENARIOS", KC_SOURCE_SCENARIOS)).filePath(relative);
}

QString BinPath(const QString& name) {
    return QDir(EnvOr("KC_BIN_DIR", KC_BUILD_BIN_DIR)).filePath(name);
}

QString PcscLibrary() {
    return BinPath(QStringLiteral("libctapi-pcsc.so"));
}

QString SimulatorLibrary() {
    return BinPath(QStringLiteral("libmktsim.so"));
}

void PcscdTest::SetUp() {
    SharedPcscd& shared = Shared();
    if (!shared.installed)
        GTEST_SKIP() << shared.whyNot;
    ASSERT_TRUE(shared.instance) << shared.whyNot;
}

void PcscdTest::TearDown() {
    // The next test must not meet this one's card on its way out.
    for (auto& [process, slot] : cards_) {
        process.Stop();
        EXPECT_TRUE(pcscd().WaitForCard(slot, false, kCardWait));
    }
    cards_.clear();
}

PrivatePcscd& PcscdTest::pcscd() {
    return *Shared().instance;
}

bool PcscdTest::InsertCard(const QString& scenario, int slot) {
    std::string error;
    auto process = pcscd().InsertCard(BinPath(QStringLiteral("mktsim-vpcd")).toStdString(),
                                      ScenarioPath(scenario).toStdString(), slot, error);
    if (!process) {
        ADD_FAILURE() << error;
        return false;
    }
    cards_.emplace_back(std::move(*process), slot);
    if (pcscd().WaitForCard(slot, true, kCardWait))
        return true;
    ADD_FAILURE() << "no card in reader " << slot << "; pcscd's log:\n" << pcscd().log();
    return false;
}

ProgramRun RunProgram(const QString& program, const QStringList& args, const QStringList& environment) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        if (equals == entry.size() - 1)
            env.remove(entry.left(equals));
        else
            env.insert(entry.left(equals), entry.mid(equals + 1));
    }
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    ProgramRun run;
    if (!process.waitForStarted(10000))
        return run;
    process.closeWriteChannel();
    if (!process.waitForFinished(kProgramWaitMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

ProgramRun RunCli(const QStringList& args, const QString& library, const QStringList& environment) {
    QStringList env{QStringLiteral("KARTOCHECK_CTAPI=") + library, QStringLiteral("MKTSIM_TRACE="),
                    QStringLiteral("CTAPI_PCSC_TRACE=")};
    for (int n = 1; n <= 4; ++n)
        env << QStringLiteral("KARTOCHECK_COM%1=/nonexistent/kartocheck-com%1").arg(n);
    return RunProgram(BinPath(QStringLiteral("kartocheck-cli")), args, env + environment);
}

} // namespace kc::test

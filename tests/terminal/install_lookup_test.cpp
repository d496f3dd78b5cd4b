#include "egk/schema_texts.h"
#include "terminal/library_choice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace kc {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const std::optional<QString>& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qEnvironmentVariable(name);
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            qputenv(name_, old_->toLocal8Bit());
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<QString> old_;
};

// A program folder, a private library folder and an XDG config folder.
struct Tree {
    QTemporaryDir root;
    QString program = root.filePath(QStringLiteral("bin"));
    QString library = root.filePath(QStringLiteral("lib/kartocheck"));
    QString config = root.filePath(QStringLiteral("config"));

    Tree() {
        for (const QString& folder : {program, library, config + QStringLiteral("/kartocheck")})
            QDir().mkpath(folder);
    }
    void touch(const QString& folder, const QString& name) const {
        QFile file(folder + QLatin1Char('/') + name);
        file.open(QIODevice::WriteOnly);
    }
    void setting(const QString& value) const {
        QFile file(config + QStringLiteral("/kartocheck/kartocheck.ini"));
        file.open(QIODevice::WriteOnly);
        file.write("[General]\nctapi=" + value.toUtf8() + "\n");
    }
};

enum class Where { Program, Library, Neither };

struct LibraryCase {
    const char* name;
    std::optional<QString> environment;
    QString setting;   // empty: no settings file
    Where defaultName; // where libctzav32.so lies
    bool settingInLibraryFolder;
    QString expected; // "%P" the program folder, "%L" the library folder
};

class LibraryLookup : public ::testing::TestWithParam<LibraryCase> {};

TEST_P(LibraryLookup, TakesTheFirstSourceThatNamesOne) {
    const LibraryCase& c = GetParam();
    Tree tree;
    const ScopedEnv config("XDG_CONFIG_HOME", tree.config);
    const ScopedEnv named("KARTOCHECK_CTAPI", c.environment);
    if (!c.setting.isEmpty())
        tree.setting(c.setting);
    if (c.settingInLibraryFolder)
        tree.touch(tree.library, c.setting);
    if (c.defaultName == Where::Program)
        tree.touch(tree.program, QStringLiteral("libctzav32.so"));
    if (c.defaultName != Where::Neither)
        tree.touch(tree.library, QStringLiteral("libctzav32.so"));

    EXPECT_EQ(tree.config + QStringLiteral("/kartocheck/kartocheck.ini"), LibrarySettingsFile());
    QString expected = c.expected;
    expected.replace(QStringLiteral("%P"), tree.program).replace(QStringLiteral("%L"), tree.library);
    EXPECT_EQ(expected, ChooseLibrary(tree.program, tree.library));
}

INSTANTIATE_TEST_SUITE_P(
    Order, LibraryLookup,
    ::testing::Values(
        LibraryCase{"EnvironmentBeforeEverything", QStringLiteral("/x/env.so"), QStringLiteral("/x/ini.so"),
                    Where::Program, false, QStringLiteral("/x/env.so")},
        LibraryCase{"SettingBeforeTheProgramFolder", std::nullopt, QStringLiteral("/x/ini.so"),
                    Where::Program, false, QStringLiteral("/x/ini.so")},
        LibraryCase{"BareSettingFoundInTheLibraryFolder", std::nullopt, QStringLiteral("libmktsim.so"),
                    Where::Neither, true, QStringLiteral("%L/libmktsim.so")},
        LibraryCase{"BareSettingElseForTheSystemSearch", std::nullopt, QStringLiteral("libctapi.so"),
                    Where::Neither, false, QStringLiteral("libctapi.so")},
        LibraryCase{"ProgramFolderBeforeLibraryFolder", QString(), QString(), Where::Program, false,
                    QStringLiteral("%P/libctzav32.so")},
        LibraryCase{"LibraryFolderWhenInstalled", std::nullopt, QString(), Where::Library, false,
                    QStringLiteral("%L/libctzav32.so")},
        LibraryCase{"SystemSearchLast", std::nullopt, QString(), Where::Neither, false,
                    QStringLiteral("libctzav32.so")}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(InstalledLookup, HelperAndSchemasBesideTheProgramElseInstalled) {
    Tree tree;
    const QString data = tree.root.filePath(QStringLiteral("share/kartocheck"));
    EXPECT_EQ(tree.program + QStringLiteral("/kartocheck-ctapi-host"),
              ChooseHelper(tree.program, tree.library));
    EXPECT_EQ(data, ChooseSchemaFolder(tree.program, data));

    tree.touch(tree.library, QStringLiteral("kartocheck-ctapi-host"));
    EXPECT_EQ(tree.library + QStringLiteral("/kartocheck-ctapi-host"),
              ChooseHelper(tree.program, tree.library));

    tree.touch(tree.program, QStringLiteral("kartocheck-ctapi-host"));
    tree.touch(tree.program, kSchemaFileNames[0]);
    EXPECT_EQ(tree.program + QStringLiteral("/kartocheck-ctapi-host"),
              ChooseHelper(tree.program, tree.library));
    EXPECT_EQ(tree.program, ChooseSchemaFolder(tree.program, data));
}

} // namespace
} // namespace kc

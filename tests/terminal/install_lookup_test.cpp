#include "egk/schema_texts.h"
#include "terminal/library_choice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

// Sets an environment variable (nullptr: unsets it) for one scope and puts the old value back.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name(name) {
        value ? qputenv(name, value) : qunsetenv(name);
    }
    ~ScopedEnv() { was ? qputenv(name, old) : qunsetenv(name); }
    const char* name;
    const bool was = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
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
    void write(const QString& path, const QByteArray& text = {}) const {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
};

TEST(LibraryLookup, TakesTheFirstSourceThatNamesOne) {
    const struct {
        const char* name;
        const char* environment; // KARTOCHECK_CTAPI; nullptr: unset
        const char* setting;     // "": no settings file
        char defaultName;        // where libctzav32.so lies: 'P' program and library folder, 'L' library, '-'
        bool settingInLibraryFolder;
        const char* expected; // "%P" the program folder, "%L" the library folder
    } cases[] = {
        {"environment before everything", "/x/env.so", "/x/ini.so", 'P', false, "/x/env.so"},
        {"setting before the program folder", nullptr, "/x/ini.so", 'P', false, "/x/ini.so"},
        {"bare setting found in the library folder", nullptr, "libmktsim.so", '-', true, "%L/libmktsim.so"},
        {"bare setting else for the system search", nullptr, "libctapi.so", '-', false, "libctapi.so"},
        {"program folder before library folder", "", "", 'P', false, "%P/libctzav32.so"},
        {"library folder when installed", nullptr, "", 'L', false, "%L/libctzav32.so"},
        {"system search last", nullptr, "", '-', false, "libctzav32.so"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Tree tree;
        const ScopedEnv config("XDG_CONFIG_HOME", tree.config.toLocal8Bit().constData());
        const ScopedEnv named("KARTOCHECK_CTAPI", c.environment);
        const QString settings = tree.config + QStringLiteral("/kartocheck/kartocheck.ini");
        if (*c.setting)
            tree.write(settings, QByteArray("[General]\nctapi=") + c.setting + "\n");
        if (c.settingInLibraryFolder)
            tree.write(tree.library + QLatin1Char('/') + QString::fromUtf8(c.setting));
        if (c.defaultName == 'P')
            tree.write(tree.program + QStringLiteral("/libctzav32.so"));
        if (c.defaultName != '-')
            tree.write(tree.library + QStringLiteral("/libctzav32.so"));

        EXPECT_EQ(settings, LibrarySettingsFile());
        const QString expected = QString::fromUtf8(c.expected)
                                     .replace(QStringLiteral("%P"), tree.program)
                                     .replace(QStringLiteral("%L"), tree.library);
        EXPECT_EQ(expected, ChooseLibrary(tree.program, tree.library));
    }
}

TEST(InstalledLookup, HelperAndSchemasBesideTheProgramElseInstalled) {
    Tree tree;
    const QString data = tree.root.filePath(QStringLiteral("share/kartocheck"));
    const QString helper = QStringLiteral("/kartocheck-ctapi-host");
    EXPECT_EQ(tree.program + helper, ChooseHelper(tree.program, tree.library));
    EXPECT_EQ(data, ChooseSchemaFolder(tree.program, data));

    tree.write(tree.library + helper);
    EXPECT_EQ(tree.library + helper, ChooseHelper(tree.program, tree.library));

    tree.write(tree.program + helper);
    tree.write(tree.program + QLatin1Char('/') + kSchemaFileNames[0]);
    EXPECT_EQ(tree.program + helper, ChooseHelper(tree.program, tree.library));
    EXPECT_EQ(tree.program, ChooseSchemaFolder(tree.program, data));
}

} // namespace
} // namespace kc

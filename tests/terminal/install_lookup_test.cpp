// SPDX-License-Identifier: Apache-2.0
#include "data_rows.h"
#include "egk/schema_texts.h"
#include "terminal/library_choice.h"
#include "test_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kc {
namespace {

// Sets an environment variable (nullptr: unsets it) for one scope and puts the old value back.
struct ScopedEnv {
    ScopedEnv(const char* variable, const char* value) : name(variable) {
        value ? qputenv(variable, value) : qunsetenv(variable);
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

class LibraryLookup : public ::testing::TestWithParam<QStringList> {};

TEST_P(LibraryLookup, TakesTheFirstSourceThatNamesOne) {
    const QStringList& c = GetParam();
    Tree tree;
    const auto place = [&tree](const QString& text) {
        return QString(text).replace("%P", tree.program).replace("%L", tree.library);
    };
    const ScopedEnv config("XDG_CONFIG_HOME", tree.config.toLocal8Bit().constData());
    const QByteArray environment = c[1].toUtf8();
    const ScopedEnv named("KARTOCHECK_CTAPI", c[1] == "~" ? nullptr : environment.constData());
    const QString settings = tree.config + QStringLiteral("/kartocheck/kartocheck.ini");
    if (!c[2].isEmpty())
        tree.write(settings, "[General]\nctapi=" + c[2].toUtf8() + "\n");
    for (const QString& file : place(c[3]).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        tree.write(file);
    EXPECT_EQ(settings, LibrarySettingsFile());
    EXPECT_EQ(place(c[4]), ChooseLibrary(tree.program, tree.library));
}

INSTANTIATE_TEST_SUITE_P(Sources, LibraryLookup,
                         ::testing::ValuesIn(test::CaseRows("terminal/library_lookup.txt")),
                         test::FirstCellName());

// --library first; with nothing anywhere the origin says so and the choice is saved for the next run.
TEST(LibraryLookupOrigin, ForThisCallComesFirstAndNothingIsToldApart) {
    Tree tree;
    const ScopedEnv config("XDG_CONFIG_HOME", tree.config.toLocal8Bit().constData());
    const ScopedEnv named("KARTOCHECK_CTAPI", "/x/env.so");
    tree.write(tree.library + QStringLiteral("/libmktsim.so"));
    const LibraryChoice call = FindLibraryChoice(tree.program, tree.library, QStringLiteral("libmktsim.so"));
    EXPECT_EQ(call.file, tree.library + QStringLiteral("/libmktsim.so"));
    EXPECT_EQ(call.origin, LibraryOrigin::ForThisCall);
    EXPECT_EQ(FindLibraryChoice(tree.program, tree.library).origin, LibraryOrigin::Environment);
    const ScopedEnv unnamed("KARTOCHECK_CTAPI", nullptr);
    const LibraryChoice none = FindLibraryChoice(tree.program, tree.library);
    EXPECT_EQ(none.origin, LibraryOrigin::Nothing);
    EXPECT_EQ(none.file, QStringLiteral("libctzav32.so"));
    EXPECT_EQ(SaveLibraryChoice(QStringLiteral("libmktsim.so")), QString());
    const LibraryChoice saved = FindLibraryChoice(tree.program, tree.library);
    EXPECT_EQ(saved.origin, LibraryOrigin::SettingsFile);
    EXPECT_EQ(saved.file, tree.library + QStringLiteral("/libmktsim.so"));
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

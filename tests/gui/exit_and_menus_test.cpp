// SPDX-License-Identifier: Apache-2.0
#include "gui/clipboard_on_exit.h"
#include "gui/first_user_window.h"
#include "gui/qt_clipboard.h"
#include "window_harness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <csignal>

namespace kc::test {
namespace {

TEST_F(ShownWindow, CloseBoxAsksAndNoKeepsTheWindow) {
    h.sim.boxes.script({MsgAnswer::No});
    EXPECT_FALSE(h.window().close());
    EXPECT_EQ(Shown(h.sim.boxes.shown),
              QStringList{Box(" Möchten Sie das Programm beenden? ", MsgButtons::YesNo, MsgIcon::Question,
                              false, "Beendet KartoCheck ")});
    EXPECT_TRUE(h.window().isVisible() && h.sim.clipboard.clears == 0);
    h.sim.boxes.script({MsgAnswer::Yes});
    EXPECT_TRUE(h.window().close() && !h.window().isVisible());
    EXPECT_EQ(h.sim.clipboard.clears, 1);
}

// On the desktop's own clipboard.
TEST(MainWindowExit, QuitItemClosesWithoutQuestionAndEmptiesTheClipboard) {
    WindowHarness h(true);
    h.showWindow();
    QtClipboard clipboard;
    clipboard.setText(QStringLiteral("Mustermann\r\nMax\r\n"));
    h.w().menus.quit->trigger();
    EXPECT_TRUE(!h.window().isVisible() && h.sim.boxes.shown.empty());
    EXPECT_EQ(QApplication::clipboard()->text(), "");
}

class DesktopClipboard : public ::testing::TestWithParam<QString> {};

// Every copy carries its text and the hint that keeps it out of clipboard
// histories; emptying the clipboard takes the hint away with the text.
TEST_P(DesktopClipboard, CopyIsMarkedAsSecretUntilEmptied) {
    WindowHarness h(true);
    QtClipboard clipboard;
    clipboard.setText(GetParam());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), GetParam());
    EXPECT_EQ(data->data(QLatin1String(kClipboardSecretHintType)), QByteArray("secret"));
    clipboard.clear();
    data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(!data ||
                (!data->hasFormat(QLatin1String(kClipboardSecretHintType)) && data->text().isEmpty()));
}

INSTANTIATE_TEST_SUITE_P(Copies, DesktopClipboard,
                         ::testing::Values(QStringLiteral("Müller-Lüdenscheidt\r\nÄnne\r\n"),
                                           QStringLiteral("\r\n")),
                         [](const auto& row) { return row.index == 0 ? "CardData" : "EmptyFields"; });

class MissingLibrary : public CtApiProvider {
  public:
    CtApi* acquire(LibraryFault& fault) override {
        fault = LibraryFault::FileMissing;
        return nullptr;
    }
};

TEST(MainWindowExit, MissingTerminalLibraryEmptiesTheClipboardBeforeTheEnd) {
    MissingLibrary library;
    SimHarness sim;
    ScriptedSerialLine line;
    int clearsAtExit = -1;
    DesktopProgram program(DesktopParts{&library, &sim.boxes, &sim.clipboard, &line, [&](int status) {
                                            clearsAtExit = sim.clipboard.clears;
                                            sim.fatalExits.push_back(status);
                                        }});
    // The chooser follows the box; cancelled, the program ends as before.
    QStringList dialogs;
    program.window().setDialogRunner([&](QDialog& dialog) {
        dialogs.append(dialog.objectName() + QLatin1Char('|') + QString::number(sim.boxes.shown.size()));
    });
    static_cast<void>(program.session().OpenTerminal(1)); // the fatal exit is what counts
    EXPECT_EQ(dialogs, QStringList({"Form_Library|1"}));
    EXPECT_EQ(sim.boxes.shown.size(), 1u); // its text: tested where the session shows it
    EXPECT_EQ(sim.fatalExits, std::vector<int>({2}));
    EXPECT_EQ(clearsAtExit, 1);
}

TEST(MainWindowExit, QuittingTheApplicationEmptiesTheClipboard) {
    FakeClipboard clipboard;
    ClipboardOnExit guard(clipboard, [](int) {});
    ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    EXPECT_EQ(clipboard.clears, 1);
}

class EndingSignal : public ::testing::TestWithParam<QList<int>> {};

// Signals that come together (a logout's SIGHUP, then SIGTERM) end it by one of them, the clipboard emptied.
TEST_P(EndingSignal, EmptiesTheClipboardThenEnds) {
    FakeClipboard clipboard;
    QList<int> endings;
    int clearsAtEnd = -1;
    ClipboardOnExit guard(clipboard, [&](int signal) {
        clearsAtEnd = clipboard.clears;
        endings.push_back(signal);
    });
    for (int signal : GetParam())
        std::raise(signal);
    for (int round = 0; round < 500 && endings.empty(); ++round)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(GetParam().contains(endings.value(0))) << endings.value(0);
    EXPECT_GE(clearsAtEnd, 1);
}

INSTANTIATE_TEST_SUITE_P(MainWindowExit, EndingSignal,
                         ::testing::Values(QList<int>{SIGTERM}, QList<int>{SIGINT}, QList<int>{SIGHUP},
                                           QList<int>{SIGHUP, SIGTERM}));

TEST_F(ShownWindow, CloseBoxDuringScanClosesAfterTheScanWithoutQuestion) {
    bool closedDuringScan = true;
    h.onDialog = [&](QDialog&) { closedDuringScan = h.window().close(); };
    h.w().buttons[0]->click();
    EXPECT_FALSE(closedDuringScan);
    EXPECT_TRUE(!h.window().isVisible() && h.sim.boxes.shown.empty());
    EXPECT_EQ(h.sim.clipboard.clears, 1);
}

class FirstUseButton : public ::testing::TestWithParam<int> {};

// Without schema files the program starts normally, validation off.
TEST_P(FirstUseButton, DecidesWhetherTheProgramRuns) {
    const int button = GetParam();
    WindowHarness h;
    h.onDialog = [button](QDialog& dialog) { static_cast<FirstUserWindow&>(dialog).button(button)->click(); };
    QTemporaryDir empty;
    EXPECT_EQ(h.program.start(empty.path()), button == 0);
    EXPECT_EQ(h.dialogsShown, QStringList({"Form_FirstUser"}));
    EXPECT_EQ(std::vector<int>({h.state().FirstUseQuit, h.window().isVisible(), h.sim.clipboard.clears}),
              std::vector<int>({button, 1 - button, button}));
    EXPECT_TRUE(h.sim.boxes.shown.empty() && !h.state().ValidationEnabled);
}

INSTANTIATE_TEST_SUITE_P(MainWindowStart, FirstUseButton, ::testing::Values(0, 1),
                         [](const auto& row) { return row.param == 0 ? "GoOn" : "Quit"; });

// How a schema file is read is tested where it is read; here the item asks for it.
TEST_F(ShownWindow, SchemaItemAsksForAnXsdFile) {
    const QString path = SimHarness::TestDataDir() + "/egk/schema_texts/new.xsd";
    QString filterAsked;
    h.window().setFileChooser([&](const QString& filter) {
        filterAsked = filter;
        return path;
    });
    h.state().SchemaTextPd = QStringLiteral("<alt/>");
    h.w().menus.schemaItems[1]->trigger();
    EXPECT_EQ(filterAsked, "XSD (*.xsd)");
    EXPECT_EQ(h.state().SchemaTextPd, "<?xml version=\"1.0\"?><xs:schema/>");
    h.w().menus.schemaItems[0]->trigger();
    EXPECT_EQ(h.state().SchemaTextVd, h.state().SchemaTextPd);
}

// When the items are locked is decided in the dispatcher, and tested there; here the widgets follow.
TEST_F(ShownWindow, ValidationUnlocksTheSchemaSubmenu) {
    h.w().menus.validation->trigger();
    EXPECT_TRUE(h.state().ValidationEnabled && h.w().menus.validation->isChecked());
    EXPECT_TRUE(h.w().menus.newSchema->isEnabled());
    h.w().menus.validation->trigger();
    EXPECT_FALSE(h.state().ValidationEnabled || h.w().menus.validation->isChecked() ||
                 h.w().menus.newSchema->isEnabled());
}

TEST_F(ShownWindow, HelpMenuOpensUserInformationInHelpModeAndTheAboutWindow) {
    h.state().FirstUseQuit = true;
    bool quitButtonHidden = false;
    h.onDialog = [&](QDialog& dialog) {
        if (auto* window = dynamic_cast<FirstUserWindow*>(&dialog))
            quitButtonHidden = window->button(1)->isHidden();
    };
    h.w().menus.infoItems[0]->trigger();
    h.w().menus.infoItems[1]->trigger();
    EXPECT_EQ(h.dialogsShown, QStringList({"Form_FirstUser", "Form_Info"}));
    EXPECT_TRUE(quitButtonHidden && !h.state().FirstUseQuit && h.window().isVisible());
}

} // namespace
} // namespace kc::test

// SPDX-License-Identifier: Apache-2.0
#include "gui/desktop_program.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/model_lamps.h"
#include "base/model_status_line.h"
#include "base/program_folder.h"
#include "discovery/qt_serial_line.h"
#include "egk/schema_texts.h"
#include "gui/clipboard_on_exit.h"
#include "gui/first_user_window.h"
#include "gui/library_chooser_window.h"
#include "gui/main_window.h"
#include "gui/qt_clipboard.h"
#include "gui/qt_message_boxes.h"
#include "presenter/dispatcher.h"
#include "presenter/library_catalogue.h"
#include "presenter/library_info.h"
#include "presenter/library_use.h"
#include "presenter/timer_event_pump.h"
#include "presenter/version_text.h"
#include "terminal/ctapi_provider.h"
#include "terminal/hosted_ctapi_provider.h"
#include "terminal/library_choice.h"
#include "terminal/simulator_library.h"
#include "terminal/terminal_session.h"

#include <cstdlib>

namespace kc {

// Members in the order they depend on one another.
struct DesktopProgram::Parts {
    explicit Parts(const DesktopParts& given)
        : provider(given.provider ? *given.provider : ownProvider),
          boxes(given.boxes ? *given.boxes : ownBoxes),
          clipboard(given.clipboard ? *given.clipboard : ownClipboard),
          line(given.line ? *given.line : ownLine), window(state, boxes, clipboard), status(state.ui, window),
          pump([this] { window.refresh(state.ui); }), lamps(state.ui),
          session(provider, state.tables, boxes, pump, &lamps), context{state, session, boxes, status, pump},
          dispatcher(context, window, clipboard, line) {
        ownBoxes.setParent(&window);
        window.setDispatcher(&dispatcher);
        // A missing terminal library ends the program at once: the clipboard first.
        endProgram = [this, end = given.fatalExit](int exitStatus) {
            clipboard.clear();
            if (end)
                end(exitStatus);
            else
                std::exit(exitStatus);
        };
        session.setFatalExit(endProgram);
        // The window keeps painting while the terminal library's helper works.
        ownProvider.setWhileWaiting([this] { pump.runPendingOnce(); });
        session.setStatusLine(&status);
    }

    AppState state;
    HostedCtApiProvider ownProvider;
    QtMessageBoxes ownBoxes;
    QtClipboard ownClipboard;
    QtSerialLine ownLine;
    CtApiProvider& provider;
    MessageBoxes& boxes;
    Clipboard& clipboard;
    SerialLine& line;
    MainWindow window;
    ModelStatusLine status;
    TimerEventPump pump;
    ModelLamps lamps;
    TerminalSession session;
    Context context;
    Dispatcher dispatcher;
    ClipboardOnExit clipboardOnExit{clipboard};
    std::function<void(int)> endProgram;
};

DesktopProgram::DesktopProgram(DesktopParts parts) : parts_(std::make_unique<Parts>(parts)) {
    parts_->window.setLibraryChooser([this] { static_cast<void>(chooseLibrary()); });
    // A chosen library that is missing: the person chooses another instead of the end.
    parts_->session.setLibraryMissing([this] { return chooseLibrary(); });
}

bool DesktopProgram::chooseLibrary() {
    const QList<LibraryEntry> entries = FindInstalledLibraries();
    LibraryChooserWindow chooser(entries, FindLikelyFit(entries, ProbeMachine()),
                                 parts_->window.fileChooser(), &parts_->window);
    parts_->window.runDialog(chooser);
    const QString file = chooser.chosenFile();
    if (file.isEmpty())
        return false;
    const QString problem = SaveLibraryChoice(file);
    if (!problem.isEmpty())
        parts_->boxes.inform(problem + QStringLiteral(" Die Wahl gilt bis zum Ende des Programms."),
                             MsgIcon::Exclamation);
    useLibrary(file);
    return true;
}

void DesktopProgram::useLibrary(const QString& file) {
    parts_->ownProvider.useLibrary(file);
    parts_->state.ui.windowTitle = MainWindowTitle(IsSimulatorLibrary(file));
    parts_->status.showStatus(LibraryInUseText(file));
    parts_->window.refresh(parts_->state.ui);
}

DesktopProgram::~DesktopProgram() {
    // The window must not reach the dispatcher while it goes away.
    parts_->window.setDispatcher(nullptr);
}

bool DesktopProgram::start(const QString& schemaFolder) {
    AppState& state = parts_->state;
    LoadSchemaTexts(state, schemaFolder);
    // Only the program's own choice of library; a test's provider is its own business.
    if (&parts_->provider == &parts_->ownProvider) {
        if (FindLibraryChoice(ProgramFolder(), PrivateLibraryFolder()).origin == LibraryOrigin::Nothing) {
            // Nothing chosen yet: the person chooses before anything else, or the program ends as before.
            if (!chooseLibrary()) {
                parts_->boxes.inform(LibraryFileMissingText(), MsgIcon::Critical);
                parts_->endProgram(2);
                return false;
            }
        } else {
            const LibraryInfo library = InspectTerminalLibrary();
            state.ui.windowTitle = MainWindowTitle(library.simulator);
            const QString notice = SimulatorNotice(library);
            if (!notice.isEmpty())
                parts_->status.showStatus(notice);
        }
    }
    state.AutoScanPending = true;
    {
        FirstUserWindow firstUse(state.FirstUseQuit, &parts_->window);
        parts_->window.runDialog(firstUse);
    }
    if (state.FirstUseQuit) {
        parts_->window.closeByProgram();
        return false;
    }
    parts_->window.show();
    // Without a window manager nobody else makes it the active window.
    parts_->window.activateWindow();
    return true;
}

AppState& DesktopProgram::state() {
    return parts_->state;
}
MainWindow& DesktopProgram::window() {
    return parts_->window;
}
Dispatcher& DesktopProgram::dispatcher() {
    return parts_->dispatcher;
}
TerminalSession& DesktopProgram::session() {
    return parts_->session;
}
MessageBoxes& DesktopProgram::boxes() {
    return parts_->boxes;
}
Clipboard& DesktopProgram::clipboard() {
    return parts_->clipboard;
}

} // namespace kc

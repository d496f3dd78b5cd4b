// SPDX-License-Identifier: Apache-2.0
#include "gui/desktop_program.h"

#include "base/app_state.h"
#include "base/context.h"
#include "base/model_lamps.h"
#include "base/model_status_line.h"
#include "discovery/qt_serial_line.h"
#include "egk/schema_texts.h"
#include "gui/clipboard_on_exit.h"
#include "gui/first_user_window.h"
#include "gui/main_window.h"
#include "gui/qt_clipboard.h"
#include "gui/qt_message_boxes.h"
#include "presenter/dispatcher.h"
#include "presenter/library_info.h"
#include "presenter/timer_event_pump.h"
#include "presenter/version_text.h"
#include "terminal/ctapi_provider.h"
#include "terminal/hosted_ctapi_provider.h"
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
        session.setFatalExit([this, end = given.fatalExit](int exitStatus) {
            clipboard.clear();
            if (end)
                end(exitStatus);
            else
                std::exit(exitStatus);
        });
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
};

DesktopProgram::DesktopProgram(DesktopParts parts) : parts_(std::make_unique<Parts>(parts)) {}

DesktopProgram::~DesktopProgram() {
    // The window must not reach the dispatcher while it goes away.
    parts_->window.setDispatcher(nullptr);
}

bool DesktopProgram::start(const QString& schemaFolder) {
    AppState& state = parts_->state;
    LoadSchemaTexts(state, schemaFolder);
    // Only the program's own choice of library; a test's provider is its own business.
    if (&parts_->provider == &parts_->ownProvider) {
        const QString notice = SimulatorNotice(InspectTerminalLibrary());
        if (!notice.isEmpty())
            parts_->status.showStatus(notice);
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

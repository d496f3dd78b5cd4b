// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "presenter/port_choice.h"

#include <functional>

namespace kc {

class Clipboard;
struct Context;
class MainView;
class SerialLine;

constexpr int kScanButton = 0;
constexpr int kDiagnosisButton = 1;
constexpr int kStatusButton = 2;
constexpr int kReadCardButton = 3;
constexpr int kCopyButton = 4;
constexpr int kResetDisplayButton = 5;

// What the read does with card data the slot holds already: the window shows
// them again, a one-shot console read reads the card anew.
enum class StoredCardData { ShowAgain, ReadAgain };

// What a front-end adds to an action. The console tests its port inside the
// action (before runs first; false ends the action before its own work).
struct ActionOptions {
    StoredCardData stored = StoredCardData::ShowAgain;
    std::function<bool()> before;
};

// The six tool-bar actions and the port choice, on the model of the main
// window; the front-end shows the model and forwards its clicks here.
class Dispatcher {
  public:
    Dispatcher(Context& ctx, MainView& view, Clipboard& clipboard, SerialLine& line);

    // One action from start to end, wrapped in the prologue and epilogue. A
    // press while an action runs is refused: actions never nest.
    void PressCommandButton(int index, const ActionOptions& options = {});

    // Button 2's own work: the status tab and its status text.
    void ShowTerminalStatusAction();

    // An option, tab or list entry clicked while an action runs is ignored
    // as a whole, like the buttons: the click would change the port under the
    // running action.
    void optionClicked(int option);
    void tabClicked(int tab);
    void listClicked(int row);
    void egkInfoClicked();

    // The close rule's first step: a close asked for while an action runs is
    // remembered and carried out by the epilogue. True when deferred.
    bool deferCloseWhileRunning();

    PortChoice& portChoice() { return portChoice_; }

  private:
    void prologue();
    void epilogue();
    void runAction(int index, StoredCardData stored);
    void readSelectedPort(StoredCardData stored);
    bool testListedPort(uint16_t pn);

    Context& ctx_;
    MainView& view_;
    Clipboard& clipboard_;
    SerialLine& line_;
    PortChoice portChoice_;
};

} // namespace kc

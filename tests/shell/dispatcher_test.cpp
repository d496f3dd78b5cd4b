#include "base/main_view.h"
#include "presenter/dispatcher.h"
#include "presenter/scan_result.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"
#include "test_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

// Records what the presenter asks of the window.
class RecordingView : public MainView {
  public:
    void refresh(const MainWindowModel& model) override { refreshed.push_back(model); }
    void showScanResult(const ScanResultModel& result) override {
        results.push_back(result);
        if (onScanResult)
            onScanResult();
    }
    void showEgkInfo(int slot) override { egkInfoSlots.push_back(slot); }
    void requestClose() override { ++closeRequests; }

    std::vector<MainWindowModel> refreshed;
    std::vector<ScanResultModel> results;
    std::vector<int> egkInfoSlots;
    int closeRequests = 0;
    std::function<void()> onScanResult;
};

const QString kKvkTerminal = QStringLiteral("card = kvk\ncard.record = @cards/kvk_tk_apfel.hex\n");

class DispatcherTest : public ::testing::Test {
  protected:
    void load(const QString& scenario) { ASSERT_TRUE(h.loadText(scenario)) << qPrintable(h.loadError()); }
    // The ports named by the insert-card prompts shown so far.
    QStringList prompts() const {
        QStringList found;
        for (const MessageRequest& box : h.boxes.shown)
            if (box.text.startsWith(QLatin1String(" Bitte eine Krankenversichertenkarte in")))
                found.append(box.text.section(QStringLiteral("\r\n\r\n"), -1));
        return found;
    }
    // A port chosen as after a scan that found a terminal there.
    void choosePort(uint16_t pn) {
        h.state.SelectedPort = pn;
        h.state.SelectedSlot = SlotOfPort(pn);
        h.state.tables.terminal[SlotOfPort(pn)].Responding = true;
    }

    SimHarness h;
    ScriptedSerialLine line;
    RecordingView view;
    Dispatcher dispatcher{h.ctx, view, h.clipboard, line};
};

TEST_F(DispatcherTest, ReadButtonWithStoredDataShowsThemWithoutTerminalTraffic) {
    load("[terminal t]\nports = 2\n" + kKvkTerminal);
    choosePort(2);
    h.state.tables.terminal[2].HasCardData = true;
    h.state.tables.insured[2][Familienname] = QStringLiteral("Apfel");
    dispatcher.PressCommandButton(kReadCardButton);
    EXPECT_TRUE(h.boxes.shown.empty() && h.apduLog().isEmpty());
    EXPECT_EQ(h.state.ui.card.values[Familienname], "Apfel");
    EXPECT_EQ(h.state.ui.visibleFrame, kFrameCardData);
    EXPECT_EQ(h.status.progress, std::vector<int>({25, 40, 50, 0}));
    EXPECT_EQ(h.status.statuses.last(), "Die Krankenversichertendaten werden angezeigt");
}

TEST_F(DispatcherTest, ReadButtonRetriesUntilTheReadFails) {
    load("[ports]\ndefault = -10\n[terminal t]\nports = 3\n");
    choosePort(3);
    // OK in the prompt, Yes to trying again, OK again, No.
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No});
    dispatcher.PressCommandButton(kReadCardButton);
    EXPECT_EQ(prompts(), QStringList({" COM  3", " COM  3"}));
    EXPECT_TRUE(h.boxes.shown[0].text.endsWith(
        " Das Chipkartenterminal verwendet die Schnittstelle: \r\n\r\n COM  3"));
    EXPECT_EQ(h.boxes.unscripted, 0);
    EXPECT_EQ(h.status.progress, std::vector<int>({25, 75, 75, 90, 100, 0}));
    EXPECT_FALSE(h.session.SessionOpen());
}

TEST_F(DispatcherTest, ScanWithTerminalsOnCom2AndCom3) {
    load("[ports]\ndefault = -10\n"
         "[terminal two]\nports = 2\ncard.arrives-after = 1\n" +
         kKvkTerminal + "[terminal three]\nports = 3\ncard.arrives-after = 1\n" + kKvkTerminal);
    line.devices[2] = SerialDevice{};
    line.devices[3] = SerialDevice{};
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::Ok});
    dispatcher.PressCommandButton(kScanButton);

    EXPECT_EQ(prompts(), QStringList({" COM  2", " COM  3"}));
    ASSERT_EQ(view.results.size(), 1u);
    EXPECT_EQ(h.status.progress, std::vector<int>({20, 40, 60, 80, 100, 0}));
    EXPECT_EQ(h.status.busyChanges, std::vector<bool>({true, false}));

    // COM 1 and 4 do not exist; COM 2 is the first slot with card data and is shown.
    QString options;
    for (int i = 0; i < 4; ++i)
        options += QString::number(2 * h.state.ui.options[std::size_t(i)].enabled +
                                   h.state.ui.options[std::size_t(i)].checked);
    EXPECT_EQ(options, "0320"); // enabled 2 + checked 1
    EXPECT_EQ(h.state.SelectedPort, 2);
    EXPECT_EQ(h.state.ui.visibleFrame, kFrameCardData);
    EXPECT_EQ(h.state.ui.card.values[Familienname], h.state.tables.insured[2][Familienname]);
    EXPECT_TRUE(h.state.ui.buttonEnabled[kReadCardButton]);
    EXPECT_TRUE(h.status.statuses.contains("Das KartoCheck Ergebnis wird angezeigt"));
    EXPECT_EQ(h.status.statuses.last(), "Die Krankenversichertendaten werden angezeigt");
}

TEST_F(DispatcherTest, ScanAsksForACardOncePerFurtherPortOnSlotFiveAndIgnoresListClicks) {
    load("[ports]\ndefault = -10\n[terminal seven]\nports = 7\n[terminal usb]\nports = 8192\n");
    h.boxes.script({MsgAnswer::Cancel, MsgAnswer::Cancel});
    int statusesAtClick = -1;
    view.onScanResult = [&] {
        statusesAtClick = int(h.status.statuses.size());
        dispatcher.listClicked(0);
    };
    dispatcher.PressCommandButton(kScanButton);
    ASSERT_GE(statusesAtClick, 0);
    EXPECT_FALSE(h.status.statuses.mid(statusesAtClick).contains("Die Anzeigefelder wurden zurückgesetzt"));

    EXPECT_EQ(h.state.ui.listEntries, QStringList({"COM 7", "USB Device 1 (pn=8192  )"}));
    EXPECT_EQ(prompts(), QStringList({" COM  7", " USB Device 1 (CTAPI pn=8192)"}));
    // Slot 5 ends with the last further port.
    EXPECT_EQ(h.state.ui.tabCaptions[4], "USB Device 1");
    EXPECT_EQ(std::vector<int>({h.state.ui.listSelected, h.state.SelectedPort, h.state.SelectedSlot}),
              std::vector<int>({1, 8192, 5}));
    EXPECT_TRUE(h.state.tables.terminal[5].Responding);
    EXPECT_EQ(h.state.tables.port[5].InterfaceText.str().trimmed(), "");
    ASSERT_EQ(view.results.size(), 1u);
    EXPECT_EQ(view.results[0].summary, "2 Chipkartenleser gefunden.\r\nSiehe Schnittstellen weitere ...");
    EXPECT_EQ(h.state.ui.visibleFrame, kFrameStatus);
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
}

TEST_F(DispatcherTest, ScanOfAPracticeWithSomethingOnEveryKindOfPort) {
    ASSERT_TRUE(h.loadFile("discovery/mixed-practice.scn")) << qPrintable(h.loadError());
    for (uint16_t pn = 1; pn <= 4; ++pn)
        line.devices[pn] = SerialDevice{};
    // COM 2 and port 7 have no card: Cancel both prompts.
    h.boxes.script({MsgAnswer::Cancel, MsgAnswer::Cancel});
    dispatcher.PressCommandButton(kScanButton);

    EXPECT_EQ(prompts(), QStringList({" COM  2", " COM  7"}));
    ASSERT_EQ(view.results.size(), 1u);
    const QStringList text = ScanResultText(view.results[0]);
    EXPECT_EQ(text,
              QStringList({"An COM 1 Chipkartenleser gefunden. Baudrate: 9600     Baud.",
                           "An COM 2 Chipkartenleser gefunden. USB Gerät (Virtueller COM port)",
                           "An COM 4 Chipkartenleser möglich. Mit [OK] Taste fortfahren.",
                           "2 weitere(n) Chipkartenleser gefunden.", "Siehe Schnittstellen weitere ..."}));

    EXPECT_TRUE(h.state.tables.terminal[1].HasCardData && h.state.tables.terminal[5].HasCardData);
    EXPECT_FALSE(h.state.ui.options[2].enabled);
    EXPECT_FALSE(h.state.ui.buttonEnabled[kDiagnosisButton]);
    // COM 1 is the first slot with card data and is shown.
    EXPECT_EQ(h.state.SelectedPort, 1);
    EXPECT_EQ(h.state.ui.visibleFrame, kFrameCardData);
    EXPECT_EQ(h.state.ui.statusPages[2].values[0].trimmed(), "USB Virtuell COM (CTAPI pn=2)");
    EXPECT_EQ(h.state.ui.statusPages[3].values[0].trimmed(), "Wird vom System benutzt!");
}

TEST_F(DispatcherTest, MenuItemsAreLockedDuringAnActionAndFollowTheValidationSwitchAfter) {
    load("[ports]\ndefault = -10\n");
    for (bool validation : {false, true}) {
        view.refreshed.clear();
        h.state.ui.validationChecked = validation;
        dispatcher.PressCommandButton(kStatusButton);
        ASSERT_GE(view.refreshed.size(), 2u);
        // Validation item, schema item, toolbar, action running: during the action, then after it.
        const MainWindowModel& during = view.refreshed.front();
        EXPECT_EQ(
            QList<bool>({during.validationItemEnabled, during.newSchemaItemEnabled, during.toolbarEnabled}),
            QList<bool>({false, false, false}));
        EXPECT_EQ(QList<bool>({h.state.ui.validationItemEnabled, h.state.ui.newSchemaItemEnabled,
                               h.state.ui.toolbarEnabled, h.state.ActionRunning}),
                  QList<bool>({true, validation, true, false}));
        EXPECT_EQ(h.state.ui.visibleFrame, kFrameStatus);
    }
}

TEST_F(DispatcherTest, CloseDuringAnActionWaitsForItsEndAndActionsDoNotNest) {
    load("[ports]\ndefault = -10\n");
    EXPECT_FALSE(dispatcher.deferCloseWhileRunning());
    int closesDuringScan = -1;
    view.onScanResult = [&] {
        EXPECT_TRUE(dispatcher.deferCloseWhileRunning());
        closesDuringScan = view.closeRequests;
        dispatcher.PressCommandButton(kResetDisplayButton);
    };
    dispatcher.PressCommandButton(kScanButton);
    EXPECT_EQ(closesDuringScan, 0);
    EXPECT_EQ(view.closeRequests, 1);
    EXPECT_FALSE(h.state.ExitPending || h.state.ActionRunning);
    EXPECT_FALSE(h.status.statuses.contains("Die Anzeigefelder wurden zurückgesetzt"));
}

TEST_F(DispatcherTest, EpilogueClosesASessionLeftOpen) {
    load("[terminal t]\nports = 2\n");
    ASSERT_EQ(h.session.OpenTerminal(2), 0);
    h.clearLog();
    dispatcher.PressCommandButton(9);
    EXPECT_EQ(h.apduLog(), QStringList({"2011000000", "close"}));
    EXPECT_FALSE(h.session.SessionOpen());
    EXPECT_TRUE(h.status.statuses.isEmpty());
}

TEST_F(DispatcherTest, CopyResetAndEgkInfoWorkOnTheChosenSlot) {
    load("[ports]\ndefault = -10\n");
    choosePort(4);
    h.state.tables.insured[4][Vorname] = QStringLiteral("Anna");
    dispatcher.PressCommandButton(kCopyButton);
    EXPECT_TRUE(h.clipboard.text.startsWith("\r\n\r\n\r\n\r\n\r\n\r\n\r\nAnna\r\n"));
    EXPECT_EQ(h.status.statuses.last(), "Die Krankenversichertendaten wurden in die Zwischenablage kopiert");
    dispatcher.PressCommandButton(kResetDisplayButton);
    EXPECT_TRUE(h.state.tables.insured[4][Vorname].isEmpty());
    EXPECT_EQ(h.status.statuses.last(), "Die Anzeigefelder wurden zurückgesetzt");
    dispatcher.egkInfoClicked();
    EXPECT_EQ(view.egkInfoSlots, std::vector<int>({4}));
}

TEST_F(DispatcherTest, DiagnosisButtonRunsTheDialogueForTheChosenPort) {
    load("[ports]\ndefault = -10\n");
    h.state.SelectedPort = 2;
    h.state.SelectedSlot = 2;
    h.boxes.script({MsgAnswer::No});
    dispatcher.PressCommandButton(kDiagnosisButton);
    ASSERT_EQ(h.boxes.shown.size(), 2u);
    EXPECT_EQ(h.status.statuses.first(), "Überprüft die ausgewählte Schnittstelle im Dialog");
}

TEST_F(DispatcherTest, ActionsOnTheChosenPortNeedAPort) {
    load("[ports]\ndefault = -10\n");
    for (int button : {kDiagnosisButton, kReadCardButton, kCopyButton, kResetDisplayButton})
        dispatcher.PressCommandButton(button);
    EXPECT_TRUE(h.boxes.shown.empty() && h.apduLog().isEmpty());
    EXPECT_EQ(h.clipboard.clears, 0);
}

class PortChoiceTest : public DispatcherTest {};

TEST_F(PortChoiceTest, OptionCom3ChoosesThePortAndItsTab) {
    dispatcher.optionClicked(2);
    EXPECT_EQ(h.status.statuses.last(), "Die serielle Schnittstelle COM 3 wurde ausgewählt");
    EXPECT_EQ(std::vector<int>({h.state.ui.selectedTab, h.state.ui.visibleStatusFrame, h.state.CurrentTab}),
              std::vector<int>(3, 2));
    EXPECT_FALSE(h.state.ui.listVisible);
    EXPECT_EQ(std::pair(int(h.state.SelectedPort), h.state.SelectedSlot), std::pair(3, 3));
}

TEST_F(PortChoiceTest, TabCom2SelectsItsOption) {
    dispatcher.optionClicked(0);
    h.status.statuses.clear();
    dispatcher.tabClicked(1);
    EXPECT_TRUE(h.state.ui.options[1].checked && !h.state.ui.options[0].checked);
    EXPECT_EQ(h.state.SelectedPort, 2);
    EXPECT_EQ(h.status.statuses, QStringList({"Die serielle Schnittstelle COM 2 wurde ausgewählt",
                                              "Der MKT Status wird angezeigt"}));
    // The current tab clicked again changes nothing.
    dispatcher.tabClicked(1);
    EXPECT_EQ(h.status.statuses.size(), 2);
}

TEST_F(PortChoiceTest, FurtherOptionWithoutListEntryKeepsThePort) {
    dispatcher.optionClicked(1);
    dispatcher.optionClicked(4);
    EXPECT_EQ(std::pair(int(h.state.SelectedPort), h.state.SelectedSlot), std::pair(2, 5)); // port, slot
    EXPECT_TRUE(h.state.ui.listVisible);
    EXPECT_EQ(h.state.ui.visibleStatusFrame, 4);
}

TEST_F(PortChoiceTest, ListEntryNamesTabFiveAndReadsThePort) {
    load("[ports]\ndefault = -10\n[terminal usb]\nports = 8193\n" + kKvkTerminal);
    h.state.tables.furtherPorts[1][0] = 7;
    h.state.tables.furtherPorts[1][1] = 8193;
    h.state.ui.listEntries = QStringList({"COM 7", "USB Device 2 (pn=8193  )"});
    h.state.tables.terminal[5].Responding = true;
    dispatcher.optionClicked(4);
    h.status.statuses.clear();
    dispatcher.listClicked(1);
    EXPECT_EQ(h.state.SelectedPort, 8193);
    EXPECT_EQ(h.state.ui.tabCaptions[4], "USB Device 2");
    // Button 5, then button 3: the card is read at once, it is in the terminal.
    EXPECT_EQ(h.status.statuses.mid(0, 2),
              QStringList({"Die Anzeigefelder wurden zurückgesetzt", "Die Krankenversichertendaten lesen"}));
    EXPECT_TRUE(h.state.tables.terminal[5].HasCardData);
    EXPECT_TRUE(prompts().empty());
    // The same entry again does nothing.
    const int statuses = int(h.status.statuses.size());
    dispatcher.listClicked(1);
    EXPECT_EQ(h.status.statuses.size(), statuses);
}

TEST_F(PortChoiceTest, ChoosingAPortFollowsItsTestResult) {
    h.state.tables.port[3].PortResult = -10;
    dispatcher.optionClicked(2);
    EXPECT_TRUE(h.state.ui.buttonEnabled[kDiagnosisButton] && !h.state.ui.buttonEnabled[kReadCardButton]);
    h.state.tables.terminal[1].Responding = true;
    h.state.tables.insured[1][Ortsname] = QStringLiteral("Kiel");
    dispatcher.optionClicked(0);
    EXPECT_TRUE(!h.state.ui.buttonEnabled[kDiagnosisButton] && h.state.ui.buttonEnabled[kReadCardButton] &&
                h.state.ui.buttonEnabled[kCopyButton] && h.state.ui.buttonEnabled[kResetDisplayButton]);
    EXPECT_EQ(h.state.ui.card.values[Ortsname], "Kiel");
}

TEST(ShowFrameX, TheFrameAlreadyShownChangesNothing) {
    MainWindowModel model;
    EXPECT_TRUE(ShowFrameX(model, kFrameStatus));
    EXPECT_FALSE(ShowFrameX(model, kFrameStatus));
    EXPECT_EQ(model.visibleFrame, kFrameStatus);
}

} // namespace
} // namespace kc

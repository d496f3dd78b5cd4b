// SPDX-License-Identifier: Apache-2.0
#include "base/main_view.h"
#include "fake_context.h"
#include "presenter/dispatcher.h"
#include "presenter/scan_result.h"
#include "scripted_serial_line.h"
#include "sim_harness.h"
#include "terminal/terminal_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <tuple>

namespace kc {
namespace {

using test::ScriptedSerialLine;
using test::SerialDevice;
using test::SimHarness;

// Records what the presenter asks of the window.
class RecordingView : public MainView {
  public:
    void refresh(const MainWindowModel&) override {}
    void showScanResult(const ScanResultModel& result) override {
        results.push_back(result);
        if (onScanResult)
            onScanResult();
    }
    void showEgkInfo(int slot) override { egkInfoSlots.push_back(slot); }
    void requestClose() override { ++closeRequests; }

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

struct ReadOption {
    const char* name;
    std::optional<StoredCardData> stored; // none: the window's read, without a step before
    bool goOn;                            // what the step before the read says
    bool cardRead;
};

class ReadOptionTest : public DispatcherTest, public ::testing::WithParamInterface<ReadOption> {};

// Stored card data are shown again without terminal traffic, unless a front-end
// asks to read the card anew; its step first may end the action.
TEST_P(ReadOptionTest, DecidesWhetherStoredDataAreReadAgain) {
    const ReadOption& option = GetParam();
    load("[terminal t]\nports = 2\n" + kKvkTerminal);
    choosePort(2);
    h.state.tables.terminal[2].HasCardData = true;
    h.state.tables.insured[2][Familienname] = QStringLiteral("Apfel");
    int before = 0;
    if (option.stored)
        dispatcher.PressCommandButton(kReadCardButton,
                                      {*option.stored, [&] { return ++before, option.goOn; }});
    else
        dispatcher.PressCommandButton(kReadCardButton);
    EXPECT_EQ(before, int(option.stored.has_value()));
    EXPECT_EQ(!h.apduLog().isEmpty(), option.cardRead);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.state.ui.card.values[Familienname], option.goOn ? "Apfel" : "");
    EXPECT_EQ(h.status.statuses.value(h.status.statuses.size() - 1),
              option.goOn ? "Die Krankenversichertendaten werden angezeigt" : "");
    EXPECT_EQ(h.status.busyChanges, option.goOn ? std::vector<bool>({true, false}) : std::vector<bool>());
    EXPECT_FALSE(h.state.ActionRunning);
}

INSTANTIATE_TEST_SUITE_P(DispatcherTest, ReadOptionTest,
                         ::testing::Values(ReadOption{"plain", std::nullopt, true, false},
                                           ReadOption{"show_again", StoredCardData::ShowAgain, true, false},
                                           ReadOption{"read_again", StoredCardData::ReadAgain, true, true},
                                           ReadOption{"stopped_before", StoredCardData::ReadAgain, false,
                                                      false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(DispatcherTest, ReadButtonRetriesUntilTheReadFails) {
    load("[ports]\ndefault = -10\n[terminal t]\nports = 3\n");
    choosePort(3);
    // OK in the prompt, Yes to trying again, OK again, No.
    h.boxes.script({MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::No});
    dispatcher.PressCommandButton(kReadCardButton);
    EXPECT_EQ(prompts(), QStringList({" COM  3", " COM  3"}));
    EXPECT_EQ(h.boxes.unscripted, 0);
    EXPECT_EQ(h.status.progress, std::vector<int>({25, 75, 75, 90, 100, 0}));
    EXPECT_FALSE(h.session.SessionOpen());
}

struct ScanCase {
    const char* name;
    int empty;           // a terminal without a card: OK to the prompt, No to trying again
    int withCard;        // its card arrives after one look: OK to the prompt
    const char* options; // per COM option: enabled 2 + checked 1
};

class ScanCaseTest : public DispatcherTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanCaseTest, ShowsTheFirstSlotWithCardData) {
    const ScanCase& scan = GetParam();
    const QString terminals = QStringLiteral("[terminal empty]\nports = %1\n[terminal card]\nports = %2\n");
    load("[ports]\ndefault = -10\n" + terminals.arg(scan.empty).arg(scan.withCard) +
         "card.arrives-after = 1\n" + kKvkTerminal);
    QStringList portsInOrder;
    for (const int port : {std::min(scan.empty, scan.withCard), std::max(scan.empty, scan.withCard)}) {
        line.devices[port] = SerialDevice{};
        port == scan.empty ? h.boxes.script({MsgAnswer::Ok, MsgAnswer::No}) : h.boxes.script({MsgAnswer::Ok});
        portsInOrder.append(QStringLiteral(" COM  %1").arg(port));
    }
    dispatcher.PressCommandButton(kScanButton);

    EXPECT_EQ(prompts(), portsInOrder);
    QString options;
    for (int i = 0; i < 4; ++i)
        options += QString::number(2 * h.state.ui.options[std::size_t(i)].enabled +
                                   h.state.ui.options[std::size_t(i)].checked);
    EXPECT_EQ(options, scan.options);
    EXPECT_EQ(h.state.SelectedPort, scan.withCard);
    EXPECT_EQ(h.status.statuses.last(), "Die Krankenversichertendaten werden angezeigt");
}

INSTANTIATE_TEST_SUITE_P(DispatcherTest, ScanCaseTest,
                         ::testing::Values(ScanCase{"card_on_com3", 2, 3, "0230"},
                                           ScanCase{"card_on_com1", 2, 1, "3200"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(DispatcherTest, ScanAsksForACardOncePerFurtherPortOnSlotFive) {
    load("[ports]\ndefault = -10\n[terminal seven]\nports = 7\n[terminal usb]\nports = 8192\n");
    h.boxes.script({MsgAnswer::Cancel, MsgAnswer::Cancel});
    dispatcher.PressCommandButton(kScanButton);
    EXPECT_EQ(h.state.ui.listEntries, QStringList({"COM 7", "USB Device 1 (pn=8192  )"}));
    EXPECT_EQ(prompts(), QStringList({" COM  7", " USB Device 1 (CTAPI pn=8192)"}));
    EXPECT_EQ(std::vector<int>({h.state.ui.listSelected, h.state.SelectedPort, h.state.SelectedSlot}),
              std::vector<int>({1, 8192, 5}));
    EXPECT_EQ(view.results.at(0).summary, "2 Chipkartenleser gefunden.\r\nSiehe Schnittstellen weitere ...");
    EXPECT_EQ(h.status.statuses.last(), "Der MKT Status wird angezeigt");
}

TEST_F(DispatcherTest, MenuItemsFollowTheValidationSwitchAfterAnAction) {
    load("[ports]\ndefault = -10\n");
    for (bool validation : {false, true}) {
        h.state.ValidationEnabled = validation;
        dispatcher.PressCommandButton(kStatusButton);
        EXPECT_EQ(QList<bool>({h.state.ui.validationItemEnabled, h.state.ui.newSchemaItemEnabled,
                               h.state.ui.toolbarEnabled, h.state.ActionRunning}),
                  QList<bool>({true, validation, true, false}));
    }
}

TEST_F(DispatcherTest, DuringAnActionCloseWaitsActionsDoNotNestAndMenusAreLocked) {
    load("[ports]\ndefault = -10\n");
    EXPECT_FALSE(dispatcher.deferCloseWhileRunning());
    int closesDuringScan = -1;
    view.onScanResult = [&] {
        EXPECT_TRUE(dispatcher.deferCloseWhileRunning());
        EXPECT_FALSE(h.state.ui.validationItemEnabled || h.state.ui.newSchemaItemEnabled ||
                     h.state.ui.toolbarEnabled);
        closesDuringScan = view.closeRequests;
        dispatcher.PressCommandButton(kResetDisplayButton);
        // Port choice clicks would change the port under the scan.
        const auto choice = std::tuple(h.state.SelectedPort, h.state.SelectedSlot, h.state.ui.selectedTab);
        dispatcher.optionClicked(1);
        dispatcher.tabClicked(2);
        EXPECT_EQ(std::tuple(h.state.SelectedPort, h.state.SelectedSlot, h.state.ui.selectedTab), choice);
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
    for (int slot : {1, 0, kSlotCount + 1}) {
        h.state.SelectedSlot = slot;
        dispatcher.egkInfoClicked();
    }
    EXPECT_EQ(view.egkInfoSlots, std::vector<int>({4, 1}));
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

TEST_F(DispatcherTest, OptionAndTabChooseEachOther) {
    dispatcher.optionClicked(2);
    EXPECT_EQ(h.status.statuses.last(), "Die serielle Schnittstelle COM 3 wurde ausgewählt");
    EXPECT_EQ(std::vector<int>({h.state.ui.selectedTab, h.state.ui.visibleStatusFrame, h.state.CurrentTab}),
              std::vector<int>(3, 2));
    EXPECT_FALSE(h.state.ui.listVisible);
    EXPECT_EQ(h.state.SelectedSlot, 3);
    h.status.statuses.clear();
    dispatcher.tabClicked(1);
    EXPECT_TRUE(h.state.ui.options[1].checked && !h.state.ui.options[2].checked);
    EXPECT_EQ(h.status.statuses, QStringList({"Die serielle Schnittstelle COM 2 wurde ausgewählt",
                                              "Der MKT Status wird angezeigt"}));
    for (int tab : {1, 5, -1}) // the shown tab again, then no tab at all
        dispatcher.tabClicked(tab);
    for (int option : {5, -1}) // no option at all
        dispatcher.optionClicked(option);
    EXPECT_TRUE(h.status.statuses.size() == 2 && h.state.ui.options[1].checked);
}

TEST_F(DispatcherTest, FurtherOptionWithoutListEntryKeepsThePort) {
    dispatcher.optionClicked(1);
    dispatcher.optionClicked(4);
    EXPECT_EQ(std::pair(int(h.state.SelectedPort), h.state.SelectedSlot), std::pair(2, 5));
    EXPECT_TRUE(h.state.ui.listVisible);
}

TEST_F(DispatcherTest, ListEntryNamesTabFiveAndReadsThePort) {
    load("[ports]\ndefault = -10\n[terminal usb]\nports = 8193\n" + kKvkTerminal);
    h.state.tables.furtherPorts[1][0] = 7;
    h.state.tables.furtherPorts[1][1] = 8193;
    h.state.ui.listEntries = QStringList({"COM 7", "USB Device 2 (pn=8193  )"});
    h.state.tables.terminal[5].Responding = true;
    dispatcher.optionClicked(4);
    h.status.statuses.clear();
    h.clearLog();
    dispatcher.listClicked(1);
    EXPECT_EQ(h.state.SelectedPort, 8193);
    EXPECT_EQ(h.state.ui.tabCaptions[4], "USB Device 2");
    // The port is tested before it is reset and read.
    EXPECT_EQ(h.status.statuses.mid(0, 3),
              QStringList({"Programm prüft USB Device 2 (pn=8193  )",
                           "Die Anzeigefelder wurden zurückgesetzt", "Die Krankenversichertendaten lesen"}));
    EXPECT_EQ(h.apduLog().mid(0, 2), QStringList({"init 8193", "2013008100"}));
    EXPECT_TRUE(prompts().empty());
    const int statuses = int(h.status.statuses.size());
    for (int row : {1, 2, -1}) // the same entry again, then rows without an entry
        dispatcher.listClicked(row);
    EXPECT_EQ(h.status.statuses.size(), statuses);
    EXPECT_EQ(std::pair(int(h.state.SelectedPort), h.state.ui.listSelected), std::pair(8193, 1));
}

// A handheld on USB device 1 and a stationary terminal on USB device 2 share slot 5: after the scan and after
// each pick in the list, slot 5, its status page and the card panel are those of the terminal picked.
TEST_F(DispatcherTest, SlotFiveIsAlwaysTheTerminalOfTheListEntryChosen) {
    load("[ports]\ndefault = -10\n"
         "[terminal visit]\nports = 8192\nkind = handheld\n"
         "get-status-46 = 46 0F \"DEZAV\" \"QMT3 \" \"1.4.0\" 90 00\n"
         "card = kvk\ncard.record = @cards/handheld_kvk_tk_apfel.hex\n"
         "[terminal desk]\nports = 8193\nget-status-46 = 46 0F \"DEZAV\" \"QKT-4\" \"3.1.0\" 90 00\n");
    dispatcher.PressCommandButton(kScanButton);
    const auto slotFive = [this] {
        const TerminalInfo& info = h.state.tables.terminal[5];
        return QStringList({h.state.ui.tabCaptions[4], h.state.ui.statusPages[5].values[0].trimmed(),
                            info.CtType.str(), info.SoftwareVersion.str(),
                            info.IsMobile ? "mobil" : "stationär"});
    };
    const QStringList desk({"USB Device 2", "USB (CTAPI pn=8193)", "QKT-4", "3.1.0", "stationär"});
    const QStringList visit({"USB Device 1", "USB (CTAPI pn=8192)", "QMT3 ", "1.4.0", "mobil"});
    EXPECT_EQ(slotFive(), desk);
    dispatcher.listClicked(0);
    EXPECT_EQ(slotFive(), visit);
    dispatcher.listClicked(1);
    EXPECT_EQ(slotFive(), desk);
    EXPECT_EQ(h.state.ui.card.frameCaption, "Krankenversicherten Kartendaten(Karte)");
    ASSERT_FALSE(h.boxes.shown.empty());
    EXPECT_FALSE(h.boxes.shown.back().text.contains("automatisch gelöscht"))
        << qPrintable(h.boxes.shown.back().text);
}

// Without a further port, a new scan leaves nothing of an earlier one on slot 5.
TEST_F(DispatcherTest, ScanWithoutFurtherPortsEmptiesSlotFive) {
    load("[ports]\ndefault = -10\n[terminal usb]\nports = 8192\n");
    dispatcher.PressCommandButton(kScanButton);
    ASSERT_EQ(h.state.ui.tabCaptions[4], "USB Device 1");
    load("[ports]\ndefault = -10\n");
    dispatcher.PressCommandButton(kScanButton);
    EXPECT_EQ(h.state.ui.tabCaptions[4], "COM ...");
    EXPECT_EQ(h.state.ui.statusPages[5].values[0].trimmed(), "");
    EXPECT_FALSE(h.state.ui.options[4].enabled || h.state.ui.options[4].checked); // greyed keeps no check
}

TEST_F(DispatcherTest, ChoosingAPortFollowsItsTestResult) {
    h.state.tables.port[3].PortResult = -10;
    dispatcher.optionClicked(2);
    EXPECT_TRUE(h.state.ui.buttonEnabled[kDiagnosisButton] && !h.state.ui.buttonEnabled[kReadCardButton]);
    h.state.tables.terminal[1].Responding = true;
    h.state.tables.insured[1][Ortsname] = QStringLiteral("Kiel");
    dispatcher.optionClicked(0);
    EXPECT_TRUE(!h.state.ui.buttonEnabled[kDiagnosisButton] && h.state.ui.buttonEnabled[kCopyButton]);
    EXPECT_EQ(h.state.ui.card.values[Ortsname], "Kiel");
}

// Two losses in a row and the scan asks the library no more: the ports not
// yet tested stay empty, and the person is told why the search stopped.
TEST(ScanWithAHangingLibrary, StopsAfterTheSecondLossAndSaysSo) {
    test::FakeContext h; // every open outlives its limit, as a hung helper reports it
    h.api.onInit = [&h](uint16_t) {
        h.provider.loss = QStringLiteral("Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)");
        return int8_t(ERR_TRANS);
    };
    test::FakeClipboard clipboard;
    ScriptedSerialLine line;
    for (uint16_t pn : {1, 2, 3, 4})
        line.devices[pn] = SerialDevice{};
    RecordingView view;
    Dispatcher dispatcher(h.ctx, view, clipboard, line);
    for (int run = 0; run < 2; ++run) { // each action starts afresh
        h.api.initPorts.clear();
        dispatcher.PressCommandButton(kScanButton);
        EXPECT_EQ(h.api.initPorts.size(), 2u);
        for (int slot : {3, 4, 5})
            EXPECT_EQ(h.state.ui.statusPages[slot].values[0].trimmed(), "") << slot;
        EXPECT_FALSE(h.state.ui.options[2].enabled || h.state.ui.options[3].enabled);
        ASSERT_EQ(view.results.size(), std::size_t(run + 1));
        EXPECT_TRUE(view.results.back().summary.endsWith(kScanBrokenOffText));
        EXPECT_EQ(h.status.statuses.last(),
                  "Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)");
    }
}

} // namespace
} // namespace kc

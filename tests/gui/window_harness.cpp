// SPDX-License-Identifier: Apache-2.0
#include "window_harness.h"
#include "data_rows.h"

#include <optional>

namespace kc::test {

WindowHarness::WindowHarness(bool desktopClipboard)
    : program(DesktopParts{&sim.provider, &sim.boxes, desktopClipboard ? nullptr : &sim.clipboard, &line,
                           [this](int status) { sim.fatalExits.push_back(status); }}) {
    // The simulator's built-in desk: an eGK terminal on USB device 1.
    sim.api.setSimulator(sim::Simulator::builtIn());
    program.state().AutoScanPending = false;
    program.window().setDialogRunner([this](QDialog& dialog) {
        dialogsShown.append(dialog.objectName());
        if (onDialog)
            onDialog(dialog);
    });
}

void WindowHarness::showWindow() {
    window().show();
    QApplication::processEvents();
}

void ExpectProperties(QObject& root, const QString& dataFile, std::size_t rows) {
    const auto lines = CaseRows(dataFile);
    ASSERT_EQ(lines.size(), rows) << qPrintable(dataFile);
    for (const QStringList& cell : lines) {
        QObject* found = root.objectName() == cell[0] ? &root : root.findChild<QObject*>(cell[0]);
        ASSERT_NE(found, nullptr) << qPrintable(cell[0]);
        EXPECT_EQ(found->property(qPrintable(cell[1])).toString(), cell[2]) << qPrintable(cell.join('|'));
    }
}

namespace {

// Every widget test needs one QApplication for the whole test program.
class QtApplicationEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { application_.emplace(argc_, argv_); }
    void TearDown() override { application_.reset(); }

  private:
    int argc_ = 1;
    char name_[24] = "kartocheck_window_tests";
    char* argv_[2] = {name_, nullptr};
    std::optional<QApplication> application_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

} // namespace kc::test

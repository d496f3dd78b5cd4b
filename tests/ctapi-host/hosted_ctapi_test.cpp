// SPDX-License-Identifier: Apache-2.0
// Libraries that misbehave on READ BINARY, in the helper: each failure is
// reported, the next open works, and no helper is left behind.
#include "base/slot_tables.h"
#include "data_rows.h"
#include "fake_ui.h"
#include "terminal/command_table.h"
#include "terminal/hosted_ctapi_provider.h"
#include "terminal/terminal_session.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kc {
namespace {

using namespace std::chrono_literals;

#if defined(__SANITIZE_ADDRESS__) // ASan turns the library's crash into an exit of the helper
constexpr const char* kSegfaultStatus = "Die Terminalbibliothek hat sich unerwartet beendet (Exit-Code ";
#else
constexpr const char* kSegfaultStatus = "Die Terminalbibliothek hat sich unerwartet beendet (Signal 11)";
#endif

struct Breakage {
    const char* name; // built as libctapi_<name>.so
    int16_t code;
    const char* status; // the start of the status line's text, "" none
};

const Breakage kBreakages[] = {
    {"sleeps", ERR_TRANS, "Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)"},
    {"exits", ERR_TRANS, "Die Terminalbibliothek hat sich unerwartet beendet (Exit-Code "},
    {"segfaults", ERR_TRANS, kSegfaultStatus},
    {"overruns", ERR_MEMORY, ""},
    {"huge_lenr", ERR_MEMORY, ""},
};

void PrintTo(const Breakage& breakage, std::ostream* os) {
    *os << breakage.name;
}

class BrokenLibrary : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenLibrary, IsReportedAndTheNextOpenWorks) {
    const Breakage& broken = GetParam();
    const bool hangs = broken.name == std::string("sleeps");
    {
        // A hang costs the whole limit; the other failures come long before theirs.
        HostedCtApiProvider provider(QStringLiteral(KC_CTAPI_HOST),
                                     QStringLiteral(KC_BROKEN_DIR "/libctapi_%1.so").arg(broken.name),
                                     HostTimeLimits::uniform(hangs ? 300ms : 30s));
        int pumped = 0;
        provider.setWhileWaiting([&pumped] { ++pumped; });
        SlotTables tables;
        test::ScriptedMessageBoxes boxes;
        test::CountingEventPump pump;
        test::RecordingStatusLine status;
        test::RecordingLamps lamps;
        TerminalSession session(provider, tables, boxes, pump, &lamps);
        session.setStatusLine(&status);

        ASSERT_EQ(session.OpenTerminal(1), 0);
        QString response;
        EXPECT_EQ(session.TransmitApdu(Commands().CmdReadBinary, kToCard, response), broken.code);
        // The helper survives an overlong answer, which fails as it always has.
        const bool lost = *broken.status;
        ASSERT_EQ(status.statuses.size(), lost ? 1 : 0);
        if (lost) {
            EXPECT_TRUE(status.statuses[0].startsWith(QString::fromUtf8(broken.status)))
                << qPrintable(status.statuses[0]);
            EXPECT_EQ(lamps.colors[kCardLamp], LampColor::Neutral);
        }
        EXPECT_EQ(session.SessionOpen(), !lost);
        EXPECT_TRUE(!hangs || pumped > 0) << "the window goes on painting while the helper hangs";

        ASSERT_EQ(session.OpenTerminal(1), 0);
        EXPECT_EQ(session.TransmitApdu(Commands().CmdResetCt, kToTerminal, response), 0);
        EXPECT_EQ(response, "9000");
        EXPECT_EQ(session.CloseTerminal(), 0);
        EXPECT_TRUE(boxes.shown.empty());
    }
    // Every helper was reaped: this process has no child left, running or dead.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

INSTANTIATE_TEST_SUITE_P(InTheHelper, BrokenLibrary, ::testing::ValuesIn(kBreakages), [](const auto& row) {
    return test::CaseNameOf(QString::fromLatin1(row.param.name));
});

} // namespace
} // namespace kc

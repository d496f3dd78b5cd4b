// The terminal library in its helper process, against libraries built to
// misbehave on READ BINARY: each failure is reported, the program goes on,
// the next open works, and no helper is left behind.
#include "base/slot_tables.h"
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

struct BrokenLibrary {
    const char* name; // built as libctapi_<name>.so
    int16_t code;
    const char* status; // the status line's text, "" none; ending in "(" the start of it
};

class BrokenLibraryTest : public ::testing::TestWithParam<BrokenLibrary> {};

TEST_P(BrokenLibraryTest, IsReportedAndTheNextOpenWorks) {
    const BrokenLibrary& broken = GetParam();
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
        const QString expected = QString::fromUtf8(broken.status);
        // The helper survives an overlong answer, which fails as it always has.
        const bool lost = !expected.isEmpty();
        ASSERT_EQ(status.statuses.size(), lost ? 1 : 0);
        if (lost) {
            EXPECT_TRUE(expected.endsWith(QLatin1Char('(')) ? status.statuses[0].startsWith(expected)
                                                            : status.statuses[0] == expected)
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

const char* const kEnded = "Die Terminalbibliothek hat sich unerwartet beendet (";

INSTANTIATE_TEST_SUITE_P(
    Libraries, BrokenLibraryTest,
    ::testing::Values(BrokenLibrary{"sleeps", kCtErrTrans,
                                    "Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)"},
                      BrokenLibrary{"exits", kCtErrTrans, kEnded},
                      BrokenLibrary{"segfaults", kCtErrTrans, kEnded},
                      BrokenLibrary{"overruns", kCtErrMemory, ""},
                      BrokenLibrary{"huge_lenr", kCtErrMemory, ""}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kc

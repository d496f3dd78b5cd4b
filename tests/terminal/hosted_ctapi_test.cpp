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
#include <string>
#include <sys/wait.h>

namespace kc {
namespace {

using namespace std::chrono_literals;

enum class Breakage { Hangs, Ends, AnswersTooLong };

struct BrokenLibrary {
    std::string name; // built as libctapi_<name>.so
    Breakage breakage;
    friend void PrintTo(const BrokenLibrary& library, std::ostream* out) { *out << library.name; }
};

class BrokenLibraryTest : public ::testing::TestWithParam<BrokenLibrary> {};

TEST_P(BrokenLibraryTest, IsReportedAndTheNextOpenWorks) {
    const BrokenLibrary& broken = GetParam();
    const bool hangs = broken.breakage == Breakage::Hangs;
    {
        // A hang costs the whole limit; the other failures come long before theirs.
        HostedCtApiProvider provider(QStringLiteral(KC_CTAPI_HOST),
                                     QString::fromStdString(KC_BROKEN_DIR "/libctapi_" + broken.name + ".so"),
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
        const int16_t code = session.TransmitApdu(Commands().CmdReadBinary, kToCard, response);
        switch (broken.breakage) {
        case Breakage::Hangs:
            EXPECT_EQ(code, kCtErrTrans);
            EXPECT_EQ(status.statuses,
                      QStringList{QStringLiteral(
                          "Die Terminalbibliothek antwortet nicht (Zeitlimit überschritten)")});
            // The window went on painting meanwhile.
            EXPECT_GT(pumped, 0);
            break;
        case Breakage::Ends:
            EXPECT_EQ(code, kCtErrTrans);
            ASSERT_EQ(status.statuses.size(), 1);
            EXPECT_TRUE(status.statuses[0].startsWith(
                QStringLiteral("Die Terminalbibliothek hat sich unerwartet beendet (")))
                << qPrintable(status.statuses[0]);
            break;
        case Breakage::AnswersTooLong:
            // The helper survives; the overlong answer fails as it always has.
            EXPECT_EQ(code, kCtErrMemory);
            EXPECT_TRUE(status.statuses.isEmpty());
            break;
        }
        const bool lost = broken.breakage != Breakage::AnswersTooLong;
        EXPECT_EQ(session.SessionOpen(), !lost);
        if (lost) {
            EXPECT_EQ(lamps.colors[kCardLamp], LampColor::Neutral);
        }

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

INSTANTIATE_TEST_SUITE_P(Libraries, BrokenLibraryTest,
                         ::testing::Values(BrokenLibrary{"sleeps", Breakage::Hangs},
                                           BrokenLibrary{"exits", Breakage::Ends},
                                           BrokenLibrary{"segfaults", Breakage::Ends},
                                           BrokenLibrary{"overruns", Breakage::AnswersTooLong},
                                           BrokenLibrary{"huge_lenr", Breakage::AnswersTooLong}),
                         [](const auto& row) { return row.param.name; });

} // namespace
} // namespace kc

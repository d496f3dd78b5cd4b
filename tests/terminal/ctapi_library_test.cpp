// SPDX-License-Identifier: Apache-2.0
#include "fake_ui.h"
#include "terminal/command_table.h"
#include "terminal/ctapi_provider.h"
#include "terminal/hosted_ctapi_provider.h"
#include "terminal/simulator_library.h"
#include "terminal/terminal_session.h"

#include <gtest/gtest.h>

namespace kc {
namespace {

std::string Built(const char* file) {
    return std::string(KC_SIM_DIR "/") + file;
}

TEST(SimulatorLibrary, IsKnownByItsMarker) {
    EXPECT_TRUE(IsSimulatorLibrary(QString::fromStdString(Built("libmktsim.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libctapi-serial.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libnothing-here.so"))));
}

struct FatalExitCalled {
    int status;
};

// The library loaded into the test's own process as KARTOCHECK_CTAPI names it, or run in the helper.
enum class Loading { InProcess, InHelper };

struct LibraryCase {
    const char* name;
    std::string path;
    const char* baudText; // the maker's names bring CT_get_baudrate
    const char* box;      // nullptr: the library answers
};

const char* const kEntryPointMissing = "Dynamic Link Library (DLL) Fehler !!! ; CTZAV32.dll ";
const LibraryCase kLibraries[] = {
    {"simulator", Built("libmktsim.so"), "9600    ", nullptr},
    {"standard_names_only", Built("libmktsim_std.so"), "        ", nullptr},
    {"missing_file", Built("libnothing-here.so"), "", "Datei nicht gefunden, CTZAV32.dll !!!"},
    {"maker_data_alone", Built("libmktsim_broken.so"), "", kEntryPointMissing},
    {"maker_init_and_data_without_close", Built("libmktsim_no_close.so"), "", kEntryPointMissing},
    {"no_close", KC_BROKEN_DIR "/libctapi_no_close.so", "", kEntryPointMissing},
};

void PrintTo(const LibraryCase& c, std::ostream* os) {
    *os << c.name;
}

class LoadedSessionTest : public ::testing::TestWithParam<std::tuple<Loading, LibraryCase>> {};

TEST_P(LoadedSessionTest, AnswersThroughDlopenOrShowsTheBoxAndEndsTheProgram) {
    const auto& [loading, c] = GetParam();
    qunsetenv("MKTSIM_SCENARIO");
    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    test::CountingEventPump pump;
    qputenv("KARTOCHECK_CTAPI", QByteArray::fromStdString(c.path));
    const std::unique_ptr<CtApiProvider> provider =
        loading == Loading::InProcess
            ? std::unique_ptr<CtApiProvider>(std::make_unique<LibraryCtApiProvider>())
            : std::make_unique<HostedCtApiProvider>(QStringLiteral(KC_CTAPI_HOST),
                                                    QString::fromStdString(c.path));
    TerminalSession session(*provider, tables, boxes, pump);
    session.setFatalExit([](int status) { throw FatalExitCalled{status}; });
    if (c.box) {
        try {
            static_cast<void>(session.OpenTerminal(1));
            ADD_FAILURE() << "the program must end";
        } catch (const FatalExitCalled& exit) {
            EXPECT_EQ(exit.status, 2);
        }
        EXPECT_EQ(test::Shown(boxes.shown), QStringList{test::Stop(QString::fromUtf8(c.box))});
        return;
    }
    ASSERT_EQ(session.OpenTerminal(8192), 0);
    EXPECT_EQ(tables.port[5].CtApiBaudText.str(), c.baudText);
    QString response;
    ASSERT_EQ(session.TransmitApdu(Commands().CmdRequestIcc1, kToTerminal, response), 0);
    EXPECT_EQ(StatusWord(response), "9001");
    EXPECT_EQ(session.CloseTerminal(), 0);
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Libraries, LoadedSessionTest,
                         ::testing::Combine(::testing::Values(Loading::InProcess, Loading::InHelper),
                                            ::testing::ValuesIn(kLibraries)),
                         [](const auto& row) {
                             const bool inProcess = std::get<0>(row.param) == Loading::InProcess;
                             return std::string(inProcess ? "InProcess_" : "InHelper_") +
                                    std::get<1>(row.param).name;
                         });

} // namespace
} // namespace kc

#include "fake_ui.h"
#include "terminal/command_table.h"
#include "terminal/ctapi_library.h"
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

TEST(CtApiLibrary, TakesTheMakersNamesElseTheStandardOnesAndNeedsEveryEntryPoint) {
    const struct {
        std::string path;
        LibraryFault fault;
        bool vendorNames;
    } cases[] = {
        {Built("libmktsim.so"), LibraryFault::None, true},
        {Built("libmktsim_std.so"), LibraryFault::None, false},
        {Built("libnothing-here.so"), LibraryFault::FileMissing, false},
        {"libkartocheck-no-such-library.so", LibraryFault::FileMissing, false},
        {Built("libmktsim_broken.so"), LibraryFault::EntryPointMissing, false}, // the maker's init only
        {KC_BROKEN_DIR "/libctapi_no_close.so", LibraryFault::EntryPointMissing, false},
    };
    for (const auto& c : cases) {
        LibraryFault fault = LibraryFault::EntryPointMissing;
        const auto library = CtApiLibrary::load(c.path, fault);
        EXPECT_EQ(fault, c.fault) << c.path;
        ASSERT_EQ(library != nullptr, c.fault == LibraryFault::None) << c.path;
        if (library) {
            EXPECT_EQ(library->usesVendorNames(), c.vendorNames);
            EXPECT_EQ(library->hasGetBaudrate(), c.vendorNames);
            int32_t baud = -1;
            EXPECT_TRUE(c.vendorNames || library->getBaudrate(1, &baud) != 0);
        }
    }
    EXPECT_TRUE(IsSimulatorLibrary(QString::fromStdString(Built("libmktsim.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libctapi-serial.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libnothing-here.so"))));
}

struct FatalExitCalled {
    int status;
};

// The library loaded into the test's own process as KARTOCHECK_CTAPI names it, or run in the helper.
enum class Loading { InProcess, InHelper };

class LoadedSessionTest : public ::testing::TestWithParam<Loading> {};

TEST_P(LoadedSessionTest, AnswersThroughDlopenOrShowsTheBoxAndEndsTheProgram) {
    qunsetenv("MKTSIM_SCENARIO");
    const struct {
        const char* file;
        const char* baudText; // nullptr: the library cannot be used
        const char* box;
    } cases[] = {
        {"libmktsim.so", "9600    ", nullptr},
        {"libmktsim_std.so", "        ", nullptr},
        {"libnothing-here.so", nullptr, "Datei nicht gefunden, CTZAV32.dll !!!"},
        {"libmktsim_broken.so", nullptr, "Dynamic Link Library (DLL) Fehler !!! ; CTZAV32.dll "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SlotTables tables;
        test::ScriptedMessageBoxes boxes;
        test::CountingEventPump pump;
        std::unique_ptr<CtApiProvider> provider;
        qputenv("KARTOCHECK_CTAPI", QByteArray::fromStdString(Built(c.file)));
        if (GetParam() == Loading::InProcess)
            provider = std::make_unique<LibraryCtApiProvider>();
        else
            provider = std::make_unique<HostedCtApiProvider>(QStringLiteral(KC_CTAPI_HOST),
                                                             QString::fromStdString(Built(c.file)));
        TerminalSession session(*provider, tables, boxes, pump);
        session.setFatalExit([](int status) { throw FatalExitCalled{status}; });
        if (c.box) {
            try {
                static_cast<void>(session.OpenTerminal(1));
                ADD_FAILURE() << "the program must end";
            } catch (const FatalExitCalled& exit) {
                EXPECT_EQ(exit.status, 2);
            }
            ASSERT_EQ(boxes.shown.size(), 1u);
            EXPECT_TRUE(test::IsErrorBox(boxes.shown[0], QString::fromUtf8(c.box)));
            continue;
        }
        ASSERT_EQ(session.OpenTerminal(8192), 0);
        EXPECT_EQ(tables.port[5].CtApiBaudText.str(), c.baudText);
        QString response;
        ASSERT_EQ(session.TransmitApdu(Commands().CmdResetCt, kToTerminal, response), 0);
        EXPECT_EQ(StatusWord(response), "9000");
        ASSERT_EQ(session.TransmitApdu(Commands().CmdRequestIcc1, kToTerminal, response), 0);
        EXPECT_EQ(StatusWord(response), "9001");
        EXPECT_EQ(session.CloseTerminal(), 0);
        EXPECT_EQ(session.OpenTerminal(1), -10);
        EXPECT_TRUE(boxes.shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(InProcessAndInHelper, LoadedSessionTest,
                         ::testing::Values(Loading::InProcess, Loading::InHelper), [](const auto& row) {
                             return row.param == Loading::InProcess ? "InProcess" : "InHelper";
                         });

} // namespace
} // namespace kc

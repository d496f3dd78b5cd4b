#include "fake_ui.h"
#include "terminal/command_table.h"
#include "terminal/ctapi_library.h"
#include "terminal/ctapi_provider.h"
#include "terminal/hosted_ctapi_provider.h"
#include "terminal/simulator_library.h"
#include "terminal/terminal_session.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <stdexcept>

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
        if (!library)
            continue;
        EXPECT_EQ(library->usesVendorNames(), c.vendorNames);
        EXPECT_EQ(library->hasGetBaudrate(), c.vendorNames);
        int32_t baud = -1;
        if (!c.vendorNames) {
            EXPECT_NE(library->getBaudrate(1, &baud), 0);
        }
    }
    EXPECT_TRUE(IsSimulatorLibrary(QString::fromStdString(Built("libmktsim.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libctapi-serial.so"))));
    EXPECT_FALSE(IsSimulatorLibrary(QString::fromStdString(Built("libnothing-here.so"))));
}

// A provider whose library path the test chooses, as KARTOCHECK_CTAPI would.
class PathProvider : public CtApiProvider {
  public:
    explicit PathProvider(std::string path) : path_(std::move(path)) {}
    CtApi* acquire(LibraryFault& fault) override {
        if (!library_)
            library_ = CtApiLibrary::load(path_, fault);
        return library_.get();
    }

  private:
    std::string path_;
    std::unique_ptr<CtApiLibrary> library_;
};

struct FatalExitCalled : std::runtime_error {
    int status;
    explicit FatalExitCalled(int s) : std::runtime_error("fatal exit"), status(s) {}
};

// The library loaded into the test's own process, or run in the helper as the program runs it.
enum class Loading { InProcess, InHelper };

class LoadedSessionTest : public ::testing::TestWithParam<Loading> {
  protected:
    void open(const char* file) {
        if (GetParam() == Loading::InProcess)
            provider = std::make_unique<PathProvider>(Built(file));
        else
            provider = std::make_unique<HostedCtApiProvider>(QStringLiteral(KC_CTAPI_HOST),
                                                             QString::fromStdString(Built(file)));
        session = std::make_unique<TerminalSession>(*provider, tables, boxes, pump);
        session->setFatalExit([](int status) { throw FatalExitCalled(status); });
    }

    SlotTables tables;
    test::ScriptedMessageBoxes boxes;
    test::CountingEventPump pump;
    std::unique_ptr<CtApiProvider> provider;
    std::unique_ptr<TerminalSession> session;
};

TEST_P(LoadedSessionTest, DefaultScenarioTerminalAnswersThroughDlopen) {
    qunsetenv("MKTSIM_SCENARIO");
    open("libmktsim.so");
    ASSERT_EQ(session->OpenTerminal(8192), 0);
    EXPECT_EQ(tables.port[5].CtApiBaudText.str(), "9600    ");
    QString response;
    ASSERT_EQ(session->TransmitApdu(Commands().CmdResetCt, kToTerminal, response), 0);
    EXPECT_EQ(StatusWord(response), "9000");
    ASSERT_EQ(session->TransmitApdu(Commands().CmdRequestIcc1, kToTerminal, response), 0);
    EXPECT_EQ(StatusWord(response), "9001");
    EXPECT_EQ(session->CloseTerminal(), 0);
    EXPECT_EQ(session->OpenTerminal(1), -10);
}

TEST_P(LoadedSessionTest, StandardNamesOpenWithABlankBaudText) {
    open("libmktsim_std.so");
    ASSERT_EQ(session->OpenTerminal(8192), 0);
    EXPECT_EQ(tables.port[5].CtApiBaudText.str(), "        ");
    EXPECT_EQ(session->CloseTerminal(), 0);
}

TEST_P(LoadedSessionTest, MissingLibraryOrEntryPointShowsItsBoxAndEndsTheProgram) {
    const struct {
        const char* file;
        const char* box;
    } cases[] = {{"libnothing-here.so", "Datei nicht gefunden, CTZAV32.dll !!!"},
                 {"libmktsim_broken.so", "Dynamic Link Library (DLL) Fehler !!! ; CTZAV32.dll "}};
    for (const auto& c : cases) {
        boxes.shown.clear();
        open(c.file);
        try {
            static_cast<void>(session->OpenTerminal(1)); // ends the program: throws here
            ADD_FAILURE() << "the program must end";
        } catch (const FatalExitCalled& exit) {
            EXPECT_EQ(exit.status, 2);
        }
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(test::IsErrorBox(boxes.shown[0], c.box));
    }
}

INSTANTIATE_TEST_SUITE_P(InProcessAndInHelper, LoadedSessionTest,
                         ::testing::Values(Loading::InProcess, Loading::InHelper), [](const auto& row) {
                             return row.param == Loading::InProcess ? "InProcess" : "InHelper";
                         });

} // namespace
} // namespace kc

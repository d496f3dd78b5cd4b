// SPDX-License-Identifier: Apache-2.0
#include "closed_standard_input.h"
#include "ctapi/trace_file.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kc::ctapi {
namespace {

namespace fs = std::filesystem;
using Refusal = TraceFile::Refusal;

std::string Contents(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

mode_t ModeOf(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

// Beside the trace's own path sits "earlier.txt", a file of the user's
// with mode 0644 that a link may point at.
struct TraceCase {
    const char* name;
    void (*prepare)(const fs::path& trace, const fs::path& earlier);
    Refusal refusal;
};

void Nothing(const fs::path&, const fs::path&) {}
void WorldReadable(const fs::path& trace, const fs::path&) {
    std::ofstream(trace) << "earlier run\n";
    ::chmod(trace.c_str(), 0644);
}
void LinkToEarlier(const fs::path& trace, const fs::path& earlier) {
    fs::create_symlink(earlier, trace);
}
void DanglingLink(const fs::path& trace, const fs::path& earlier) {
    fs::create_symlink(earlier.parent_path() / "not-there.txt", trace);
}
void Fifo(const fs::path& trace, const fs::path&) {
    ::mkfifo(trace.c_str(), 0600);
}
void Folder(const fs::path& trace, const fs::path&) {
    fs::create_directory(trace);
}
void OtherUsers(const fs::path& trace, const fs::path&) {
    std::ofstream(trace) << "earlier run\n";
    if (::chown(trace.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "only root can hand a file to another user";
}
void MissingFolder(const fs::path& trace, const fs::path&) {
    fs::remove(trace.parent_path() / "earlier.txt");
    fs::remove(trace.parent_path());
}

class TraceFileRules : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceFileRules, OnlyTheOwnerCanReadWhatIsWritten) {
    const test::ScratchDir scratch;
    const fs::path folder = scratch.path() / "traces";
    fs::create_directory(folder);
    const fs::path trace = folder / "trace.txt";
    const fs::path earlier = folder / "earlier.txt";
    std::ofstream(earlier) << "the user's own\n";
    ::chmod(earlier.c_str(), 0644);
    GetParam().prepare(trace, earlier);
    if (::testing::Test::IsSkipped())
        return;
    const bool existed = fs::is_regular_file(fs::symlink_status(trace));

    {
        TraceFile file(trace.string());
        EXPECT_EQ(file.refusal(), GetParam().refusal);
        EXPECT_EQ(file.on(), GetParam().refusal == Refusal::None);
        EXPECT_TRUE(GetParam().refusal != Refusal::SystemError || file.systemError() != 0);
        file.writeLine("CT_init pn=1 -> 0");
    }

    if (GetParam().refusal == Refusal::None) {
        EXPECT_EQ(ModeOf(trace), 0600u);
        EXPECT_EQ(Contents(trace), std::string(existed ? "earlier run\n" : "") + "CT_init pn=1 -> 0\n");
    }
    if (fs::exists(earlier)) {
        EXPECT_EQ(Contents(earlier), "the user's own\n");
        EXPECT_EQ(ModeOf(earlier), 0644u);
    }
    EXPECT_FALSE(fs::exists(folder / "not-there.txt")); // a link is not followed, not even to create
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TraceFileRules,
    ::testing::Values(TraceCase{"NewFile", Nothing, Refusal::None},
                      TraceCase{"OwnFileReadableByAll", WorldReadable, Refusal::None},
                      TraceCase{"LinkToAFileOfTheUser", LinkToEarlier, Refusal::SymbolicLink},
                      TraceCase{"LinkToNothing", DanglingLink, Refusal::SymbolicLink},
                      TraceCase{"Fifo", Fifo, Refusal::NotAPlainFile},
                      TraceCase{"Folder", Folder, Refusal::NotAPlainFile},
                      TraceCase{"FileOfAnotherUser", OtherUsers, Refusal::OtherOwner},
                      TraceCase{"FolderMissing", MissingFolder, Refusal::SystemError}),
    [](const ::testing::TestParamInfo<TraceCase>& row) { return std::string(row.param.name); });

TEST(TraceFile, WithoutAPathWritesNowhere) {
    TraceFile file("");
    EXPECT_FALSE(file.on());
    EXPECT_EQ(file.refusal(), Refusal::None);
}

TEST(TraceFile, StandardErrorOutlivesItsTrace) {
    {
        TraceFile file("-");
        EXPECT_TRUE(file.on());
    }
    EXPECT_NE(::fcntl(STDERR_FILENO, F_GETFD), -1);
}

TEST(TraceFile, ANewTraceUnderAStrictUmaskIsTheOwnersToReadAndWrite) {
    const test::ScratchDir scratch;
    const fs::path trace = scratch.path() / "trace.txt";
    const mode_t before = ::umask(077);
    EXPECT_TRUE(TraceFile(trace.string()).on());
    ::umask(before);
    EXPECT_EQ(ModeOf(trace), 0600u);
}

TEST(TraceFile, ATraceOnDescriptorZeroIsWrittenAndGivenBack) {
    const test::ScratchDir scratch;
    const fs::path trace = scratch.path() / "trace.txt";
    test::ClosedStandardInput closed;
    {
        TraceFile file(trace.string());
        EXPECT_TRUE(file.on());
        file.writeLine("CT_close ctn=1 -> 0");
    }
    EXPECT_FALSE(test::ClosedStandardInput::zeroIsOpen());
    EXPECT_EQ(Contents(trace), "CT_close ctn=1 -> 0\n");
}

} // namespace
} // namespace kc::ctapi

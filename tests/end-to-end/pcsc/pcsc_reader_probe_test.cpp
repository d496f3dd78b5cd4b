// SPDX-License-Identifier: Apache-2.0
// The count of readers that tells the library chooser PC/SC is the likely fit:
// the private pcscd with its two vpcd readers, one without readers, and a socket nobody answers on.
#include "discovery/pcsc_reader_probe.h"
#include "pcscd_fixture.h"

#include <QTemporaryDir>
#include <unistd.h>

namespace kc::test {
namespace {

using PcscReaderProbe = PcscdTest;

TEST_F(PcscReaderProbe, CountsTheReadersOfTheRunningPcscd) {
    EXPECT_EQ(CountPcscReaders(), std::optional<int>(2));
}

// No reader means no count above zero: the chooser must not offer PC/SC as the fit.
TEST(PcscReaderProbeNoReaders, CountsNone) {
    std::string whyNot;
    if (!PrivatePcscd::Installed(whyNot))
        GTEST_SKIP() << whyNot;
    const auto pcscd = PrivatePcscd::Start(whyNot, false);
    ASSERT_TRUE(pcscd) << whyNot;
    EXPECT_EQ(CountPcscReaders(std::chrono::seconds(10)), std::optional<int>(0)) << pcscd->log();
}

class PcscReaderProbeAlone : public ::testing::TestWithParam<bool> {};

// A socket that accepts and never answers must not hold the caller.
TEST_P(PcscReaderProbeAlone, GivesNoCount) {
    QTemporaryDir folder;
    const QByteArray silent = folder.filePath("silent.comm").toLocal8Bit();
    const int listener = ListeningUnixSocket(silent.toStdString());
    ASSERT_GE(listener, 0);
    const QByteArray old = qgetenv("PCSCLITE_CSOCK_NAME");
    qputenv("PCSCLITE_CSOCK_NAME", GetParam() ? silent : folder.filePath("none.comm").toLocal8Bit());
    EXPECT_EQ(CountPcscReaders(std::chrono::milliseconds(500)), std::nullopt);
    old.isEmpty() ? qunsetenv("PCSCLITE_CSOCK_NAME") : qputenv("PCSCLITE_CSOCK_NAME", old);
    close(listener);
}

INSTANTIATE_TEST_SUITE_P(Sockets, PcscReaderProbeAlone, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "SilentPcscd" : "NoPcscd"; });

} // namespace
} // namespace kc::test

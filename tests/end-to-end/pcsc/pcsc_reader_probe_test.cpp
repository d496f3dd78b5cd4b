// SPDX-License-Identifier: Apache-2.0
// The count of readers that tells the library chooser PC/SC is the likely fit:
// the private pcscd with its two vpcd readers, and a socket nobody answers on.
#include "discovery/pcsc_reader_probe.h"
#include "pcscd_fixture.h"

#include <QTemporaryDir>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kc::test {
namespace {

using PcscReaderProbe = PcscdTest;

TEST_F(PcscReaderProbe, CountsTheReadersOfTheRunningPcscd) {
    EXPECT_EQ(CountPcscReaders(), std::optional<int>(2));
}

class PcscReaderProbeAlone : public ::testing::TestWithParam<bool> {};

// A socket that accepts and never answers must not hold the caller.
TEST_P(PcscReaderProbeAlone, GivesNoCount) {
    QTemporaryDir folder;
    const QByteArray silent = folder.filePath("silent.comm").toLocal8Bit();
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", silent.constData());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
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

// SPDX-License-Identifier: Apache-2.0
// The library's CT-API calls in-process against the private pcscd, as the
// sessions of the data file play them.

#include "data_cases.h"
#include "pcscd_fixture.h"
#include "scratch_dir.h"
#include "sim_harness.h"
#include "terminal/hex_codec.h"

#include <QFile>
#include <ctapi.h>
#include <filesystem>
#include <fstream>
#include <iterator>

extern "C" int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud);

namespace kc::test {
namespace {

using CtApiOnPcscd = PcscdTest;

class CtApiSession : public PcscdTest, public ::testing::WithParamInterface<DataCase> {};

// One session of tests/data/end-to-end/pcsc/ctapi_sessions.txt.
TEST_P(CtApiSession, GivesItsCodesAndAnswers) {
    for (const QString& line : GetParam().lines) {
        SCOPED_TRACE(line.toStdString());
        const QStringList f =
            line.section(QLatin1Char('#'), 0, 0).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.isEmpty())
            continue;
        const uint16_t ctn = f.value(1).toUShort();
        if (f[0] == QLatin1String("card")) {
            ASSERT_TRUE(InsertCard(f[1]));
        } else if (f[0] == QLatin1String("init")) {
            EXPECT_EQ(CT_init(ctn, f[2].toUShort(nullptr, 16)), f[3].toInt());
        } else if (f[0] == QLatin1String("close")) {
            EXPECT_EQ(CT_close(ctn), f[2].toInt());
        } else if (f[0] == QLatin1String("baud")) {
            int32_t baud = -1;
            EXPECT_NE(CT_get_baudrate(ctn, &baud), 0);
            EXPECT_EQ(baud, -1);
        } else {
            ASSERT_EQ(f[0], QLatin1String("data"));
            QByteArray command = HexToBytes(f[3]);
            uint16_t lenr = f.size() > 7 ? f[7].toUShort() : 1024;
            std::vector<uint8_t> response(lenr);
            uint8_t dad = static_cast<uint8_t>(f[2].toUShort()), sad = HOST;
            ASSERT_EQ(CT_data(ctn, &dad, &sad, static_cast<uint16_t>(command.size()),
                              reinterpret_cast<uint8_t*>(command.data()), &lenr, response.data()),
                      f[4].toInt());
            if (f[4].toInt() == OK) {
                EXPECT_EQ(QStringList({BytesToHex(response.data(), lenr), QString::number(sad),
                                       QString::number(dad)}),
                          QStringList({f[5], f[6], QString::number(HOST)}));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CtApiOnPcscd, CtApiSession,
                         ::testing::ValuesIn(DataCases("end-to-end/pcsc/ctapi_sessions.txt")), CaseName());

// The trace would hold what the card answered; through a link the library
// writes nothing and works on. The environment is read at the first call,
// and every test runs in a process of its own.
TEST_F(CtApiOnPcscd, TraceThroughALinkIsLeftOutAndTheReaderStillWorks) {
    const ScratchDir scratch;
    const std::filesystem::path earlier = scratch.path() / "earlier.txt";
    const std::filesystem::path link = scratch.path() / "trace.txt";
    std::ofstream(earlier) << "the user's own\n";
    std::filesystem::create_symlink(earlier, link);
    ::setenv("CTAPI_PCSC_TRACE", link.c_str(), 1);
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn")));
    EXPECT_EQ(CT_init(1, 0x2000), OK);
    EXPECT_EQ(CT_close(1), OK);
    ::unsetenv("CTAPI_PCSC_TRACE");
    std::ifstream in(earlier);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's own\n");
}

} // namespace
} // namespace kc::test

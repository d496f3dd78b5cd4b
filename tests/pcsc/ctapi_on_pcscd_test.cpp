// The library's CT-API calls in-process against the private pcscd: the
// CT-BCS commands mapped onto PC/SC, card commands through to the virtual
// card, and the return codes.

#include "pcscd_fixture.h"
#include "terminal/hex_codec.h"

#include <ctapi.h>
#include <string>

extern "C" int32_t CT_get_baudrate(uint16_t ctn, int32_t* baud);

namespace kc::test {
namespace {

constexpr uint16_t kFirstReader = 0x2000;
constexpr uint16_t kSecondReader = 0x2001;

struct Step {
    uint8_t dad;
    std::string command;
    int code;
    std::string response; // data + SW in hex, when code is 0
    uint8_t sad;
    uint16_t lenr = 1024;
};

// Runs the steps on an open ctn; each failure names the step.
void RunSteps(uint16_t ctn, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& step = steps[i];
        SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + step.command);
        QByteArray command = HexToBytes(QString::fromStdString(step.command));
        std::vector<uint8_t> response(step.lenr);
        uint8_t dad = step.dad;
        uint8_t sad = HOST;
        uint16_t lenr = step.lenr;
        const int code = CT_data(ctn, &dad, &sad, static_cast<uint16_t>(command.size()),
                                 reinterpret_cast<uint8_t*>(command.data()), &lenr, response.data());
        ASSERT_EQ(code, step.code);
        if (code != OK)
            continue;
        EXPECT_EQ(BytesToHex(response.data(), lenr).toStdString(), step.response);
        EXPECT_EQ(sad, step.sad);
        EXPECT_EQ(dad, HOST);
    }
}

using CtApiOnPcscd = PcscdTest;

TEST_F(CtApiOnPcscd, InitAndCloseCodes) {
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn")));
    ASSERT_EQ(CT_init(1, kFirstReader), OK);
    EXPECT_EQ(CT_init(1, kSecondReader), ERR_CT) << "ctn already open";
    EXPECT_EQ(CT_init(2, kFirstReader), ERR_CT) << "reader already open under another ctn";
    EXPECT_EQ(CT_init(2, 1), ERR_INVALID) << "COM 1 is no PC/SC reader";
    EXPECT_EQ(CT_init(2, 0x2002), ERR_TRANS) << "no third reader";
    int32_t baud = -1;
    EXPECT_NE(CT_get_baudrate(1, &baud), 0);
    EXPECT_EQ(baud, -1);
    EXPECT_EQ(CT_close(1), OK);
    EXPECT_EQ(CT_close(1), ERR_INVALID);
}

TEST_F(CtApiOnPcscd, CommandsOnAReaderWithAnEgk) {
    ASSERT_TRUE(InsertCard(QStringLiteral("default.scn")));
    const std::string atr = "3BD396FF81B1FE451F078081052D";
    const std::string manufacturer = BytesToHex("KARTOPC/SC1.0.0Virtual PCD 00 00").toStdString();
    const std::vector<Step> steps{
        {CT, "2013008100", OK, "8101019000", 1},
        {CT, "2013004600", OK, "4620" + manufacturer + "9000", 1},
        {CT, "2013008000", OK, "8001019000", 1}, // there, not yet powered by us
        {CT, "201201000101", OK, "9001", 1},     // REQUEST ICC: a processor card
        {CT, "2013008000", OK, "8001059000", 1},
        {ICC1, "00A4040C06D27600000102", OK, "9000", 0}, // DF.HCA
        {ICC1, "00B0820004", OK, "000801AE9000", 0},     // SFI 02 inside DF.HCA is EF.VD
        {ICC1, "00B0820004", ERR_MEMORY, "", 0, 4},      // answer longer than lenr
        {CT, "20110101", OK, atr + "9001", 1},           // RESET ICC with the answer to reset
        {ICC1, "00B0820004", OK, "5A0A80279000", 0},     // at the MF, SFI 02 is EF.GDO
        {CT, "2071000100", OK, "6D00", 1},
        {CT, "201201", OK, "6700", 1},
        {ICC1, "0000", OK, "6700", 0},
        {CT, "201501010101", OK, "9000", 1}, // EJECT ICC
        {CT, "2013008000", OK, "8001019000", 1},
        {ICC1, "00A4040C06D27600000102", OK, "6400", 1}, // ejected: no card until REQUEST or RESET ICC
        {CT, "20110100", OK, "9001", 1},
        {ICC1, "00A4040C06D27600000102", OK, "9000", 0},
        {CT, "2011000000", OK, "9000", 1}, // RESET CT
        {2, "2011000000", ERR_INVALID, "", 0},
    };
    ASSERT_EQ(CT_init(1, kFirstReader), OK);
    RunSteps(1, steps);
    EXPECT_EQ(CT_close(1), OK);
}

TEST_F(CtApiOnPcscd, CommandsOnAReaderWithAKvkAndOnAnEmptyOne) {
    ASSERT_TRUE(InsertCard(QStringLiteral("kvk/stationary_template_60.scn")));
    ASSERT_EQ(CT_init(1, kFirstReader), OK);
    RunSteps(1, {
                    {CT, "201201000101", OK, "9000", 1}, // a memory card
                    {ICC1, "00A4040006D27600000101", OK, "9000", 0},
                    {ICC1, "00B0000002", OK, "607D9000", 0},
                });
    EXPECT_EQ(CT_close(1), OK);

    ASSERT_EQ(CT_init(2, kSecondReader), OK);
    RunSteps(2, {
                    {CT, "2013008000", OK, "8001009000", 1},
                    {CT, "201201000101", OK, "6200", 1}, // none within its second
                    {ICC1, "00A4040006D27600000101", OK, "6400", 1},
                });
    EXPECT_EQ(CT_close(2), OK);
}

} // namespace
} // namespace kc::test

// SPDX-License-Identifier: Apache-2.0
// The serial line over a pseudo-terminal given to the program as COM 2; the test plays the
// terminal on the master side, and the modem lines and parity a pseudo-terminal lacks.

#include "base/event_pump.h"
#include "base/slot_tables.h"
#include "ctapi/pseudo_terminal.h"
#include "discovery/baud_probe.h"
#include "discovery/pnp_probe.h"
#include "discovery/qt_serial_line.h"
#include "test_printers.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <memory>

namespace kc {
namespace {

constexpr int kIoTimeoutMs = 2000;

// The master side of a pseudo-terminal pair, closed with the test.
class PtyPair {
  public:
    bool ok() const { return line_.ok(); }
    QString slavePath() const { return QString::fromStdString(line_.slavePath()); }

    // Reads what the program sent, waiting for it at most a bounded time.
    QByteArray readSent(int count) {
        QByteArray bytes;
        while (bytes.size() < count) {
            pollfd fd{line_.master(), POLLIN, 0};
            if (poll(&fd, 1, kIoTimeoutMs) <= 0)
                break;
            char buffer[64];
            const ssize_t got = ::read(line_.master(), buffer, sizeof buffer);
            if (got <= 0)
                break;
            bytes.append(buffer, int(got));
        }
        return bytes;
    }
    void answer(const QByteArray& bytes) {
        ASSERT_EQ(::write(line_.master(), bytes.constData(), bytes.size()), bytes.size());
    }

    speed_t programSpeed() const {
        termios settings{};
        return tcgetattr(line_.master(), &settings) == 0 ? cfgetospeed(&settings) : B0;
    }

  private:
    ctapi::PseudoTerminal line_;
};

// Each wait of the program is the moment the terminal on the far side acts.
class FarEndPump : public EventPump {
  public:
    std::function<void()> onWait;
    void runPendingOnce() override {}
    void wait(WaitTimer) override { onWait(); }
};

class TestLineSignals : public LineSignals {
  public:
    bool setDtr(bool raised) override {
        dtr = raised;
        return true;
    }
    bool setRts(bool) override { return true; }
    bool dsr(bool& raised) override {
        raised = dtr;
        return true;
    }
    bool setFraming(QChar parityLetter, int bits) override {
        parity = parityLetter;
        dataBits = bits;
        return true;
    }
    bool dtr = false;
    QChar parity;
    int dataBits = 0;
};

class PtyProbe : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "discovery_tests";
            static char* argv[] = {name, nullptr};
            app_ = std::make_unique<QCoreApplication>(argc, argv);
        }
    }
    // Gone before the program ends, while Qt's own globals are still there.
    static void TearDownTestSuite() { app_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(pty.ok()) << "no pseudo-terminal available";
        qputenv("KARTOCHECK_COM2", pty.slavePath().toLocal8Bit());
    }
    void TearDown() override { qunsetenv("KARTOCHECK_COM2"); }

    static std::unique_ptr<QCoreApplication> app_;
    PtyPair pty;
    TestLineSignals lines;
    FarEndPump pump;
    SlotTables tables;
};

std::unique_ptr<QCoreApplication> PtyProbe::app_;

TEST_F(PtyProbe, BaudProbeFindsTheTerminalThatAnswersOnlyAt57600) {
    QtSerialLine line(&lines);
    QList<QByteArray> received;
    pump.onWait = [&] {
        const QByteArray sent = pty.readSent(4);
        received.append(sent);
        if (sent == kResynchRequest && pty.programSpeed() == B57600 && lines.parity == QLatin1Char('E')) {
            pty.answer(kResynchResponse);
            line.waitForReceived(kIoTimeoutMs);
        }
    };
    EXPECT_EQ(ProbeBaudRate(line, pump, tables, 2), 0);
    EXPECT_TRUE(tables.port[2].BaudProbed);
    EXPECT_EQ(received, QList<QByteArray>(3, kResynchRequest));
    EXPECT_FALSE(line.isOpen());
}

// A byte already taken in but not yet read is received: no wait for more.
TEST_F(PtyProbe, AByteTakenInButNotReadNeedsNoFurtherWait) {
    QtSerialLine line(&lines);
    ASSERT_TRUE(line.open(2)) << line.errorNumber();
    pty.answer(QByteArray(1, '\x60'));
    EXPECT_TRUE(line.waitForReceived(kIoTimeoutMs));
    EXPECT_TRUE(line.waitForReceived(10));
    EXPECT_EQ(line.receive(0), QByteArray(1, '\x60'));
}

TEST_F(PtyProbe, APortOpenTwiceIsInUse) {
    QtSerialLine first(&lines);
    QtSerialLine second(&lines);
    ASSERT_TRUE(first.open(2)) << first.errorNumber();
    EXPECT_TRUE(first.setSettings(QStringLiteral("1200,N,7,1")));
    EXPECT_EQ(pty.programSpeed(), speed_t(B1200));
    EXPECT_EQ(QString(lines.parity) + QString::number(lines.dataBits), "N7");
    EXPECT_EQ(second.open(2) ? 0 : second.errorNumber(), kSerialPortOpen);
    // Whatever is asked of a line that is not open fails and says so.
    bool raised = true;
    for (const std::function<bool()>& step : std::initializer_list<std::function<bool()>>{
             [&] { return second.setSettings(QStringLiteral("9600,N,8,1")); },
             [&] { return second.setDtr(true); }, [&] { return second.setRts(true); },
             [&] { return second.dsr(raised) || raised; }, [&] { return second.send("x"); },
             [&] { return second.clearReceiveBuffer(); }, [&] { return second.clearSendBuffer(); },
             [&] { return second.receivedCount() != 0; }}) {
        EXPECT_FALSE(step());
        EXPECT_EQ(second.errorNumber(), kSerialNotOpen);
    }
    EXPECT_FALSE(second.waitForReceived(0) || !second.receive(0).isEmpty());
    EXPECT_FALSE(first.setSettings(QStringLiteral("9600,Q,8,1")));
    EXPECT_EQ(first.errorNumber(), kSerialBadSettings);
}

} // namespace
} // namespace kc

// SPDX-License-Identifier: Apache-2.0
#include "pcscd_fixture.h"

#include "sim_harness.h"

#include <QDir>

namespace kc::test {

namespace {

constexpr auto kCardWait = std::chrono::seconds(10);

struct SharedPcscd {
    std::string whyNot;
    const bool installed = PrivatePcscd::Installed(whyNot);
    const std::unique_ptr<PrivatePcscd> instance = installed ? PrivatePcscd::Start(whyNot) : nullptr;
};

SharedPcscd& Shared() {
    static SharedPcscd shared;
    return shared;
}

} // namespace

QString PcscLibrary() {
    return QDir(SimHarness::BinDir()).filePath(QStringLiteral("libctapi-pcsc.so"));
}

void PcscdTest::SetUp() {
    if (!Shared().installed)
        GTEST_SKIP() << Shared().whyNot;
    ASSERT_TRUE(Shared().instance) << Shared().whyNot;
}

void PcscdTest::RemoveCards() {
    for (auto& [process, slot] : cards_) {
        process.Stop();
        EXPECT_TRUE(pcscd().WaitForCard(slot, false, kCardWait));
    }
    cards_.clear();
}

PrivatePcscd& PcscdTest::pcscd() {
    return *Shared().instance;
}

bool PcscdTest::InsertCard(const QString& scenario, int slot) {
    std::string error;
    auto process =
        pcscd().InsertCard(QDir(SimHarness::BinDir()).filePath(QStringLiteral("mktsim-vpcd")).toStdString(),
                           QDir(SimHarness::ScenarioDir()).filePath(scenario).toStdString(), slot, error);
    if (process &&
        (cards_.emplace_back(std::move(*process), slot), pcscd().WaitForCard(slot, true, kCardWait)))
        return true;
    ADD_FAILURE() << "no card in reader " << slot << ": " << error << "; pcscd's log:\n" << pcscd().log();
    return false;
}

} // namespace kc::test

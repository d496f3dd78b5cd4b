// SPDX-License-Identifier: Apache-2.0
#include "sim_harness.h"

#include "terminal/hex_codec.h"

#include <QDir>
#include <QRegularExpression>

namespace kc::test {
namespace {

QString EnvOr(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromUtf8(fallback) : value;
}

} // namespace

int8_t SimCtApi::init(uint16_t ctn, uint16_t pn) {
    calls.push_back({Call::Kind::Init, pn, {}});
    return simulator_ ? simulator_->init(ctn, pn) : int8_t(ERR_HTSI);
}

int8_t SimCtApi::data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command,
                      uint16_t* lenr, uint8_t* response) {
    calls.push_back({Call::Kind::Data, 0, BytesToHex(command, lenc)});
    return simulator_ ? simulator_->data(ctn, dad, sad, lenc, command, lenr, response) : int8_t(ERR_INVALID);
}

int8_t SimCtApi::close(uint16_t ctn) {
    calls.push_back({Call::Kind::Close, 0, {}});
    return simulator_ ? simulator_->close(ctn) : int8_t(ERR_INVALID);
}

int32_t SimCtApi::getBaudrate(uint16_t ctn, int32_t* baud) {
    return simulator_ ? simulator_->getBaudrate(ctn, baud) : -1;
}

QString SimHarness::ScenarioDir() {
    return EnvOr("KC_SCENARIOS", KC_SOURCE_SCENARIOS);
}

QString SimHarness::TestDataDir() {
    return EnvOr("KC_TEST_DATA", KC_SOURCE_TEST_DATA);
}

QString SimHarness::BinDir() {
    return EnvOr("KC_BIN_DIR", KC_SOURCE_BIN_DIR);
}

bool SimHarness::loadFile(const QString& relativePath) {
    return take(sim::Simulator::fromFile(QDir(ScenarioDir()).filePath(relativePath).toStdString()));
}

bool SimHarness::loadText(const QString& text) {
    return take(sim::Simulator::fromText(text.toStdString(), ScenarioDir().toStdString()));
}

template <typename Loaded> bool SimHarness::take(Loaded loaded) {
    if (loaded)
        api.setSimulator(std::move(*loaded.value));
    else
        loadError_ = QString::fromStdString(loaded.error);
    return bool(loaded);
}

QStringList SimHarness::apduLog() const {
    QStringList log;
    for (const SimCtApi::Call& call : api.calls)
        log.append(call.kind == SimCtApi::Call::Kind::Init   ? QStringLiteral("init %1").arg(call.pn)
                   : call.kind == SimCtApi::Call::Kind::Data ? call.command
                                                             : QStringLiteral("close"));
    return log;
}

QStringList SimHarness::commands() const {
    return apduLog().filter(QRegularExpression(QStringLiteral("^[0-9A-F]*$")));
}

} // namespace kc::test

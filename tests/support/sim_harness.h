// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "fake_context.h"
#include "sim/simulator.h"
#include "terminal/ctapi.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kc::test {

// The simulator engine behind the program's CT-API interface, in-process; records every call.
class SimCtApi : public CtApi {
  public:
    struct Call {
        enum class Kind { Init, Data, Close };
        Kind kind = Kind::Data;
        uint16_t pn = 0; // Init
        QString command; // Data: upper-case hex
    };

    void setSimulator(sim::Simulator simulator) { simulator_.emplace(std::move(simulator)); }
    bool loaded() const { return simulator_.has_value(); }
    sim::Simulator& simulator() { return *simulator_; }

    int8_t init(uint16_t ctn, uint16_t pn) override;
    int8_t data(uint16_t ctn, uint8_t* dad, uint8_t* sad, uint16_t lenc, uint8_t* command, uint16_t* lenr,
                uint8_t* response) override;
    int8_t close(uint16_t ctn) override;
    int32_t getBaudrate(uint16_t ctn, int32_t* baud) override;

    std::vector<Call> calls;

  private:
    std::optional<sim::Simulator> simulator_; // without one every init fails with -128
};

// Everything a flow needs, with the terminal played by the simulator and the
// person played by scripted message boxes.
class SimHarness : public ContextOn<SimCtApi> {
  public:
    // A scenario file, or a scenario's text, whose @files are relative to the scenario folder.
    bool loadFile(const QString& relativePath);
    bool loadText(const QString& text);
    const QString& loadError() const { return loadError_; }

    sim::Simulator& simulator() { return api.simulator(); }

    // Every call in order: "init PN", commands as hex, "close"; or only the commands.
    QStringList apduLog() const;
    QStringList commands() const;
    void clearLog() { api.calls.clear(); }

    // KC_SCENARIOS, KC_TEST_DATA, KC_BIN_DIR, or the build's own paths without them.
    static QString ScenarioDir();
    static QString TestDataDir();
    static QString BinDir();

    FakeClipboard clipboard;

  private:
    template <typename Loaded> bool take(Loaded loaded);

    QString loadError_;
};

} // namespace kc::test

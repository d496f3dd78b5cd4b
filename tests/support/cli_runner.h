// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "test_printers.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kc::test {

struct CliCall {
    QStringList args;
    QString scenario;        // relative to the scenario folder; empty: the simulator's built-in one
    QByteArray input;        // standard input, closed after it
    QString library;         // KARTOCHECK_CTAPI; empty: the built simulator, "-": not set
    QString program = {};    // empty: the built kartocheck-cli
    QString configHome = {}; // XDG_CONFIG_HOME; empty: as it is
};

struct CliResult {
    int status = -1; // -1 when it did not start or end normally in time
    QString out;
    QString err;
};

// Runs kartocheck-cli with COM 1 to 4 leading nowhere, so that no run
// depends on the machine's serial ports.
CliResult RunCli(const CliCall& call);

} // namespace kc::test

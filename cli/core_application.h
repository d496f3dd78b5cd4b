// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QCoreApplication>
#include <memory>

namespace kc::cli {

// The serial ports need an application object for their notifiers; every
// console run creates one.
inline std::unique_ptr<QCoreApplication> MakeCoreApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "kartocheck-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace kc::cli

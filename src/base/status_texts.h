// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kc {

// Status-bar texts that several actions end with; one spelling for all.
inline const QString kTerminalStatusShownText = QStringLiteral("Der MKT Status wird angezeigt");
inline const QString kCardDataShownText = QStringLiteral("Die Krankenversichertendaten werden angezeigt");
inline const QString kCardDataReadingText = QStringLiteral("Die Krankenversichertendaten werden gelesen");

} // namespace kc

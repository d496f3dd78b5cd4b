// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

namespace kc {

// One character per byte through ISO-8859-15, the encoding every VSD
// document declares. It differs from ISO-8859-1 in eight places (€, Š, š,
// Ž, ž, Œ, œ, Ÿ).
QString Latin9ToString(const QByteArray& bytes);

} // namespace kc

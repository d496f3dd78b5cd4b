// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <array>

namespace kc {

// One usual cause of a silent terminal: the question and the advice after a No.
struct DiagnosisStep {
    QString question;
    QString advice;
};

// Cable, power, output format, line speed, in the order asked; then the text
// for when every answer was Yes.
struct DiagnosisTexts {
    std::array<DiagnosisStep, 4> steps;
    QString nothingElseKnown;
};

const DiagnosisTexts& Diagnosis();

inline const QString kDiagnosisTitle = QStringLiteral(" KartoCheck Diagnose ");

} // namespace kc

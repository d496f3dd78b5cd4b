#pragma once

#include <QString>
#include <ostream>

// Texts in failure messages as text, not as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

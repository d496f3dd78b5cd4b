#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kc::cli {

constexpr int kUsageStatus = 64;

// A CT-API port number, decimal or 0x-hexadecimal, 1 to 65535.
std::optional<uint16_t> ParsePortNumber(const QString& text);

QString UsageText();

} // namespace kc::cli

// Byte counts as the status line shows them ("12 KB", "1.13 MB").
#pragma once

#include <cstdint>
#include <string>

namespace pellinor {

std::string FormatByteSize(int32_t bytes, const std::string& decimalSeparator);

}  // namespace pellinor

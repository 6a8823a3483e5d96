// The text of the records the program keeps beside its files (a kept
// program's, a kept part's): lines ended by CRLF, values without control
// characters, so that a record edited or cut by hand does not read.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pellinor {

// Whether text holds a byte below 0x20 or 0x7F.
bool HasControl(const std::string& text);

// Splits text into lines that each end in CRLF; nothing when a line does not.
std::optional<std::vector<std::string>> CrlfLines(const std::string& text);

// The name of the files kept for key (a folder, an address): the first 16
// hex digits of its SHA-256. 64 bits tell apart any keys one PC keeps
// files for, and each record names its key in full anyway.
std::string PlaceName(const std::string& key);

}  // namespace pellinor

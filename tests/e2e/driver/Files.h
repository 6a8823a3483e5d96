// Whole-file reads and writes (UTF-8 paths) for the Wine tests, the demo
// and the driver's screenshots.
#pragma once

#include <string>

namespace pellinor::e2e {

bool WriteBytes(const std::string& path, const std::string& bytes);
// Empty when the file cannot be read; other programs may hold it open.
std::string ReadBytes(const std::string& path);
bool PathExists(const std::string& path);

}  // namespace pellinor::e2e

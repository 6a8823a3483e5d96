// The SHA-256 of a file (FIPS 180-4), read in pieces: the name under which
// a publisher puts a patch made from that exact program.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// The 64 lower-case hex digits of the file's SHA-256; nothing when it
// cannot be read to its end.
std::optional<std::string> FileSha256(FileSystem& files, const std::string& path);

// The same for bytes in memory.
std::string Sha256Hex(const std::string& bytes);

}  // namespace pellinor

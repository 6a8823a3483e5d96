// The version mark of the lock program's stand-in: a text appended to the end
// of the exe file, so a test can tell the old program from the new one after
// an upgrade by looking at the file or at the running program's window.
// Layout at the end of the file: text bytes, 4-byte little-endian length, "PTV1".
#pragma once

#include <cstdint>
#include <string>

namespace pellinor::e2e {

constexpr char kTrailerMagic[] = "PTV1";
constexpr size_t kTrailerMagicSize = 4;

inline std::string WithVersionTrailer(std::string exeBytes, const std::string& version) {
    exeBytes += version;
    const uint32_t length = static_cast<uint32_t>(version.size());
    for (int i = 0; i < 4; ++i) exeBytes += static_cast<char>((length >> (8 * i)) & 0xFF);
    exeBytes.append(kTrailerMagic, kTrailerMagicSize);
    return exeBytes;
}

// The version text of an exe's bytes, or "old" when it carries none.
inline std::string VersionOf(const std::string& exeBytes) {
    const size_t fixed = 4 + kTrailerMagicSize;
    if (exeBytes.size() < fixed || exeBytes.compare(exeBytes.size() - kTrailerMagicSize,
                                                    kTrailerMagicSize, kTrailerMagic) != 0) {
        return "old";
    }
    uint32_t length = 0;
    const size_t at = exeBytes.size() - fixed;
    for (int i = 0; i < 4; ++i) {
        length |= static_cast<uint32_t>(static_cast<unsigned char>(exeBytes[at + i])) << (8 * i);
    }
    if (length > at) return "old";
    return exeBytes.substr(at - length, length);
}

}  // namespace pellinor::e2e

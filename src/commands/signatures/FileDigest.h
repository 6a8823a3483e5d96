// A digest of a file's content, read in pieces: how a replacement is checked
// without holding the file in memory.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

// The most of a file held in memory at once while it is digested: small
// beside the downloads (megabytes), large enough that the file is read in a
// few dozen calls.
constexpr size_t kDigestPieceBytes = size_t{1} << 20;

// Four 32-bit lanes over the file's 32-bit words, and its size. It tells a
// file from any other that a failed replacement, a cut or a stray write
// could leave (the old program, a piece of the new one, a changed byte); it
// is no defence against a file made to match it, which is not what it
// guards against: the bytes were checked as they arrived.
struct FileDigest {
    uint64_t size = 0;
    std::array<uint32_t, 4> lanes{};
    bool operator==(const FileDigest& o) const { return size == o.size && lanes == o.lanes; }
    bool operator!=(const FileDigest& o) const { return !(*this == o); }
};

// The digest of the whole file, read kDigestPieceBytes at a time; nothing
// when it cannot be read to its end.
std::optional<FileDigest> DigestFile(FileSystem& files, const std::string& path);

}  // namespace pellinor

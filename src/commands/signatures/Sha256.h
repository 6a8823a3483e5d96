// SHA-256 (FIPS 180-4) of bytes and of files, computed by the program itself:
// what names a program in the record of the one an upgrade replaced, and the
// digests the signature checks compare, the same on every Windows and in the
// native tests.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace pellinor {

class Sha256 {
  public:
    Sha256();
    void Add(const char* data, size_t size);
    void Add(const std::string& bytes) { Add(bytes.data(), bytes.size()); }
    // The digest's 32 bytes; the object is spent afterwards.
    std::string Digest();
    // The digest in lower-case hex; the object is spent afterwards.
    std::string Hex();

  private:
    void Block(const unsigned char* block);

    std::array<uint32_t, 8> state_;
    std::array<unsigned char, 64> pending_{};
    size_t pendingSize_ = 0;
    uint64_t totalBytes_ = 0;
};

// The 32 bytes of the SHA-256 of bytes.
std::string Sha256Of(const std::string& bytes);

// The SHA-256 of the whole file, read kDigestPieceBytes at a time; nothing
// when it cannot be read to its end.
std::optional<std::string> Sha256OfFile(FileSystem& files, const std::string& path);

// Whether text is a SHA-256 as Hex gives it: 64 lower-case hex digits.
bool IsSha256Hex(const std::string& text);

}  // namespace pellinor

// SHA-256 of the program's own: the signature checks compute the digests
// they compare themselves, the same on every system and in the native tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pellinor {

constexpr size_t kSha256Bytes = 32;

class Sha256 {
  public:
    Sha256();
    void Update(const void* data, size_t size);
    // The 32 bytes of the digest; the object is spent afterwards.
    std::string Finish();

  private:
    void Block(const unsigned char* block);
    uint32_t state_[8];
    unsigned char pending_[64];
    size_t pendingSize_ = 0;
    uint64_t total_ = 0;
};

// The digest of bytes, 32 bytes.
std::string Sha256Of(const std::string& bytes);

}  // namespace pellinor

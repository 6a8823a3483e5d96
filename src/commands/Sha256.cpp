// SHA-256 as FIPS 180-4 defines it. Only a name is made from it: the file
// it names is still checked on its bytes like any download.
#include "commands/Sha256.h"

#include <array>
#include <cstdint>

#include "commands/FileDigest.h"

namespace pellinor {

namespace {

constexpr std::array<uint32_t, 64> kRounds = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t Rotate(uint32_t x, int n) {
    return (x >> n) | (x << (32 - n));
}

class Sha256 {
  public:
    void Add(const std::string& bytes) {
        for (const char c : bytes) {
            block_[filled_++] = static_cast<uint8_t>(c);
            if (filled_ == block_.size()) Compress();
        }
        length_ += bytes.size();
    }

    std::string Hex() {
        const uint64_t bits = length_ * 8;
        std::string tail(1, '\x80');
        tail += std::string((119 - length_ % 64) % 64, '\0');
        for (int i = 7; i >= 0; --i) tail += static_cast<char>(bits >> (8 * i));
        Add(tail);
        static const char kDigits[] = "0123456789abcdef";
        std::string hex;
        for (const uint32_t word : state_)
            for (int i = 28; i >= 0; i -= 4) hex += kDigits[(word >> i) & 0xF];
        return hex;
    }

  private:
    void Compress() {
        std::array<uint32_t, 64> w{};
        for (size_t i = 0; i < 16; ++i)
            w[i] = uint32_t{block_[4 * i]} << 24 | uint32_t{block_[4 * i + 1]} << 16 |
                   uint32_t{block_[4 * i + 2]} << 8 | block_[4 * i + 3];
        for (size_t i = 16; i < 64; ++i) {
            const uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
            const uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
            w[i] = w[i - 16] + s0 + w[i - 7] + s1;
        }
        std::array<uint32_t, 8> v = state_;
        for (size_t i = 0; i < 64; ++i) {
            const uint32_t s1 = Rotate(v[4], 6) ^ Rotate(v[4], 11) ^ Rotate(v[4], 25);
            const uint32_t choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
            const uint32_t t1 = v[7] + s1 + choice + kRounds[i] + w[i];
            const uint32_t s0 = Rotate(v[0], 2) ^ Rotate(v[0], 13) ^ Rotate(v[0], 22);
            const uint32_t majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
            v = {t1 + s0 + majority, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
        }
        for (size_t i = 0; i < 8; ++i) state_[i] += v[i];
        filled_ = 0;
    }

    std::array<uint32_t, 8> state_ = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                      0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::array<uint8_t, 64> block_{};
    size_t filled_ = 0;
    uint64_t length_ = 0;
};

}  // namespace

std::optional<std::string> FileSha256(FileSystem& files, const std::string& path) {
    const std::optional<uint64_t> size = files.FileSize(path);
    if (!size) return std::nullopt;
    Sha256 sha;
    for (uint64_t offset = 0; offset < *size;) {
        const std::optional<std::string> piece =
            files.ReadFileRange(path, offset, kDigestPieceBytes);
        if (!piece || piece->empty()) return std::nullopt;
        sha.Add(*piece);
        offset += piece->size();
    }
    return sha.Hex();
}

std::string Sha256Hex(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Hex();
}

}  // namespace pellinor

// SHA-256: the compression function over 64-byte blocks and the padding.
#include "commands/signatures/Sha256.h"

#include <algorithm>

#include "commands/signatures/FileDigest.h"

namespace pellinor {
namespace {

constexpr uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t RotateRight(uint32_t x, int bits) {
    return (x >> bits) | (x << (32 - bits));
}

}  // namespace

Sha256::Sha256()
    : state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::Block(const unsigned char* block) {
    uint32_t w[64];
    for (int i = 0; i < 16; ++i) {
        w[i] = static_cast<uint32_t>(block[4 * i]) << 24 |
               static_cast<uint32_t>(block[4 * i + 1]) << 16 |
               static_cast<uint32_t>(block[4 * i + 2]) << 8 | block[4 * i + 3];
    }
    for (int i = 16; i < 64; ++i) {
        const uint32_t s0 =
            RotateRight(w[i - 15], 7) ^ RotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const uint32_t s1 =
            RotateRight(w[i - 2], 17) ^ RotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    uint32_t e = state_[4], f = state_[5], g = state_[6], h = state_[7];
    for (int i = 0; i < 64; ++i) {
        const uint32_t s1 = RotateRight(e, 6) ^ RotateRight(e, 11) ^ RotateRight(e, 25);
        const uint32_t t1 = h + s1 + ((e & f) ^ (~e & g)) + kRound[i] + w[i];
        const uint32_t s0 = RotateRight(a, 2) ^ RotateRight(a, 13) ^ RotateRight(a, 22);
        const uint32_t t2 = s0 + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
    state_[4] += e;
    state_[5] += f;
    state_[6] += g;
    state_[7] += h;
}

void Sha256::Add(const char* data, size_t size) {
    const auto* p = reinterpret_cast<const unsigned char*>(data);
    totalBytes_ += size;
    while (size > 0) {
        if (pendingSize_ == 0 && size >= 64) {
            Block(p);
            p += 64;
            size -= 64;
            continue;
        }
        const size_t take = std::min(size, pending_.size() - pendingSize_);
        std::copy(p, p + take, pending_.begin() + static_cast<std::ptrdiff_t>(pendingSize_));
        pendingSize_ += take;
        p += take;
        size -= take;
        if (pendingSize_ == pending_.size()) {
            Block(pending_.data());
            pendingSize_ = 0;
        }
    }
}

std::string Sha256::Digest() {
    const uint64_t bits = totalBytes_ * 8;
    const char one = static_cast<char>(0x80);
    Add(&one, 1);
    const char zero = 0;
    while (pendingSize_ != 56) Add(&zero, 1);
    char length[8];
    for (int i = 0; i < 8; ++i) length[i] = static_cast<char>(bits >> (56 - 8 * i));
    Add(length, sizeof length);
    std::string digest;
    for (uint32_t word : state_) {
        for (int shift = 24; shift >= 0; shift -= 8) digest += static_cast<char>(word >> shift);
    }
    return digest;
}

std::string Sha256::Hex() {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : Digest()) {
        hex += kDigits[static_cast<unsigned char>(byte) >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::string Sha256Of(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Digest();
}

std::optional<std::string> Sha256OfFile(FileSystem& files, const std::string& path) {
    Sha256 sha;
    for (uint64_t offset = 0;;) {
        const std::optional<std::string> piece =
            files.ReadFileRange(path, offset, kDigestPieceBytes);
        if (!piece) return std::nullopt;
        sha.Add(*piece);
        offset += piece->size();
        if (piece->size() < kDigestPieceBytes) return sha.Hex();
    }
}

bool IsSha256Hex(const std::string& text) {
    if (text.size() != 64) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

}  // namespace pellinor

// The file digest: a multiply-rotate mix of each 32-bit word into one of four
// lanes in turn (four independent chains keep a 32-bit processor busy).
#include "commands/signatures/FileDigest.h"

namespace pellinor {
namespace {

constexpr uint32_t kSeeds[4] = {0x9E3779B9u, 0x85EBCA6Bu, 0xC2B2AE35u, 0x27D4EB2Fu};

uint32_t Rotate(uint32_t x, int bits) {
    return (x << bits) | (x >> (32 - bits));
}

uint32_t Mix(uint32_t lane, uint32_t word) {
    word *= 0xCC9E2D51u;
    word = Rotate(word, 15);
    word *= 0x1B873593u;
    lane ^= word;
    return Rotate(lane, 13) * 5 + 0xE6546B64u;
}

uint32_t WordAt(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

std::optional<FileDigest> DigestFile(FileSystem& files, const std::string& path) {
    static_assert(kDigestPieceBytes % 16 == 0, "every piece but the last holds whole rounds");
    FileDigest digest;
    for (size_t i = 0; i < 4; ++i) digest.lanes[i] = kSeeds[i];
    for (;;) {
        const std::optional<std::string> piece =
            files.ReadFileRange(path, digest.size, kDigestPieceBytes);
        if (!piece) return std::nullopt;
        const auto* p = reinterpret_cast<const unsigned char*>(piece->data());
        const size_t size = piece->size();
        size_t at = 0;
        for (; at + 16 <= size; at += 16) {
            for (size_t i = 0; i < 4; ++i)
                digest.lanes[i] = Mix(digest.lanes[i], WordAt(p + at + 4 * i));
        }
        // The last piece's tail: its whole words, then its bytes, each a
        // word of its own so that trailing zero bytes still count.
        size_t lane = 0;
        for (; at + 4 <= size; at += 4, ++lane)
            digest.lanes[lane] = Mix(digest.lanes[lane], WordAt(p + at));
        for (; at < size; ++at, lane = (lane + 1) % 4)
            digest.lanes[lane] = Mix(digest.lanes[lane], p[at] | 0x100u);
        digest.size += size;
        if (size < kDigestPieceBytes) return digest;
    }
}

}  // namespace pellinor

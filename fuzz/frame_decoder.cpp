// Fuzzes DecodeFrame with any bytes, cut into pieces of any size, with or
// without a reference. Invariants: no crash and no more memory than the
// bounds allow (AddressSanitizer's limit); never more output than the bound;
// a frame taken decoded to exactly the size its header announced, and to
// the bytes zstd's one-step decoder gives for it.
#define ZSTD_STATIC_LINKING_ONLY
#include <zstd.h>

#include <cstdint>
#include <string>

#include "commands/FrameDecoder.h"
#include "support/FuzzCheck.h"

using namespace pellinor;

namespace {
// The first input byte: bit 0 gives the reference, bits 1 to 7 the size of
// the pieces the frame arrives in (0: the whole frame at once).
std::string Reference() {
    std::string reference;
    for (int i = 0; i < 64; ++i) reference += "an earlier lock program, line " + std::to_string(i);
    return reference;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const std::string kReference = Reference();
    const std::string reference = (data[0] & 1) ? kReference : std::string();
    const size_t pieceSize = data[0] >> 1;
    const std::string frame(reinterpret_cast<const char*>(data) + 1, size - 1);
    const FrameLimits limits{1 << 20, 20};

    size_t offset = 0;
    const FrameInput input = [&](const char*& piece) -> size_t {
        const size_t n =
            pieceSize == 0 ? frame.size() - offset : std::min(pieceSize, frame.size() - offset);
        piece = frame.data() + offset;
        offset += n;
        return n;
    };
    std::string output;
    const FrameFault fault = DecodeFrame(
        input, reference, [&](const char* bytes, size_t n) { output.append(bytes, n); }, limits);
    FUZZ_CHECK(output.size() <= limits.maxContent);
    if (fault != FrameFault::None) return 0;
    FUZZ_CHECK(output.size() == ZSTD_getFrameContentSize(frame.data(), frame.size()));
    ZSTD_DCtx* context = ZSTD_createDCtx();
    if (!reference.empty()) ZSTD_DCtx_refPrefix(context, reference.data(), reference.size());
    std::string once(output.size() + 1, '\0');
    const size_t made =
        ZSTD_decompressDCtx(context, &once[0], once.size(), frame.data(), frame.size());
    ZSTD_freeDCtx(context);
    FUZZ_CHECK(!ZSTD_isError(made) && once.substr(0, made) == output);
    return 0;
}

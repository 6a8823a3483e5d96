// The frame's header judged first, then the blocks streamed through a
// fixed buffer: what the decoder allocates is known before it allocates.
#include "commands/FrameDecoder.h"

// The frame header's reader and the block size are in the part of zstd's
// interface that is fixed only for a given release: both builds pin one.
#define ZSTD_STATIC_LINKING_ONLY
#include <zstd.h>
#include <zstd_errors.h>

#include <memory>
#include <vector>

#include "http/HttpResponseReader.h"

namespace pellinor {

namespace {

// The piece of decoded output handed on at a time: the decoder's own
// block size, so that each call can give out a whole block.
constexpr size_t kOutputPiece = ZSTD_BLOCKSIZE_MAX;

struct FreeContext {
    void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

FrameFault FaultOf(size_t code) {
    switch (ZSTD_getErrorCode(code)) {
        case ZSTD_error_checksum_wrong:
            return FrameFault::Checksum;
        case ZSTD_error_dictionary_wrong:
        case ZSTD_error_dictionary_corrupted:
            return FrameFault::Dictionary;
        case ZSTD_error_frameParameter_windowTooLarge:
        case ZSTD_error_memory_allocation:
            return FrameFault::WindowTooLarge;
        case ZSTD_error_prefix_unknown:
            return FrameFault::NotZstd;
        default:
            return FrameFault::Damaged;
    }
}

// The header's promises, held to the bounds before anything is allocated.
FrameFault JudgeHeader(const ZSTD_frameHeader& header, const FrameLimits& limits) {
    if (header.frameType == ZSTD_skippableFrame) return FrameFault::Skippable;
    if (header.dictID != 0) return FrameFault::Dictionary;
    if (header.frameContentSize == ZSTD_CONTENTSIZE_UNKNOWN) return FrameFault::NoContentSize;
    if (header.frameContentSize > limits.maxContent) return FrameFault::TooLarge;
    if (header.windowSize > (uint64_t{1} << limits.windowLogMax)) return FrameFault::WindowTooLarge;
    if (!header.checksumFlag) return FrameFault::NoChecksum;
    return FrameFault::None;
}

}  // namespace

FrameLimits DownloadFrameLimits() {
    return FrameLimits{kMaxBodyBytes, kMaxFrameWindowLog};
}

const char* FrameFaultName(FrameFault fault) {
    switch (fault) {
        case FrameFault::None:
            return "none";
        case FrameFault::NotZstd:
            return "not a zstd frame";
        case FrameFault::Skippable:
            return "a skippable frame";
        case FrameFault::NoContentSize:
            return "no content size";
        case FrameFault::NoChecksum:
            return "no checksum";
        case FrameFault::TooLarge:
            return "content over the bound";
        case FrameFault::WindowTooLarge:
            return "window over the bound";
        case FrameFault::Dictionary:
            return "a dictionary";
        case FrameFault::Damaged:
            return "damaged or another reference";
        case FrameFault::Checksum:
            return "checksum failed";
        case FrameFault::Cut:
            return "cut";
        case FrameFault::Trailing:
            return "more than one frame";
    }
    return "unknown";
}

FrameFault DecodeFrame(const FrameInput& input, const std::string& reference,
                       const FrameOutput& output, const FrameLimits& limits) {
    // The header's bytes first, however the input is cut into pieces.
    std::string first;
    ZSTD_frameHeader header;
    for (;;) {
        const size_t wanted = ZSTD_getFrameHeader(&header, first.data(), first.size());
        if (ZSTD_isError(wanted)) return FaultOf(wanted);
        if (wanted == 0) break;
        const char* data = nullptr;
        const size_t size = input(data);
        if (size == 0) return FrameFault::Cut;
        first.append(data, size);
    }
    if (const FrameFault fault = JudgeHeader(header, limits); fault != FrameFault::None)
        return fault;

    const std::unique_ptr<ZSTD_DCtx, FreeContext> context(ZSTD_createDCtx());
    if (!context) return FrameFault::WindowTooLarge;
    ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax,
                           static_cast<int>(limits.windowLogMax));
    if (!reference.empty()) {
        const size_t referred =
            ZSTD_DCtx_refPrefix(context.get(), reference.data(), reference.size());
        if (ZSTD_isError(referred)) return FaultOf(referred);
    }
    std::vector<char> piece(kOutputPiece);
    uint64_t produced = 0;
    ZSTD_inBuffer in{first.data(), first.size(), 0};
    for (;;) {
        ZSTD_outBuffer out{piece.data(), piece.size(), 0};
        const size_t left = ZSTD_decompressStream(context.get(), &out, &in);
        if (ZSTD_isError(left)) return FaultOf(left);
        produced += out.pos;
        // The decoder holds a frame to its announced size too; this only
        // makes sure that nothing past it is ever handed on.
        if (produced > header.frameContentSize) return FrameFault::TooLarge;
        if (out.pos > 0) output(piece.data(), out.pos);
        if (left == 0) break;  // the frame's end, its checksum checked
        if (in.pos < in.size || out.pos == out.size) continue;
        const char* data = nullptr;
        const size_t size = input(data);
        if (size == 0) return FrameFault::Cut;
        in = ZSTD_inBuffer{data, size, 0};
    }
    if (produced != header.frameContentSize) return FrameFault::Damaged;
    // One frame, and nothing after it: a second would be a file the
    // header did not announce.
    const char* data = nullptr;
    if (in.pos < in.size || input(data) > 0) return FrameFault::Trailing;
    return FrameFault::None;
}

}  // namespace pellinor

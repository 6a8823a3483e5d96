// One zstd frame (RFC 8878) decoded as a stream, held to bounds before a
// byte of memory is spent on it: a compressed program, or a patch whose
// reference is the program installed. The frame's own checks (its content
// size and checksum) decide whether what came out is the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace pellinor {

// The largest window a frame may ask for: 64 MiB. A compressed program's
// window is at most its size; a patch's covers its reference and the new
// program together (zstd's --patch-from takes the larger of the two,
// doubled, to a power of two), so programs up to 32 MiB can be patched.
// The decoder's buffer is the smaller of the window and the content, so a
// 5 MB lock program costs 5 MB beside its reference, whatever the window.
constexpr unsigned kMaxFrameWindowLog = 26;

// The largest installed program a patch may refer to: it is held in memory
// whole while the patch decodes, and one larger than the window could
// never be referred to in full.
constexpr uint64_t kMaxPatchReference = uint64_t{1} << kMaxFrameWindowLog;

struct FrameLimits {
    uint64_t maxContent;  // the most the frame may announce and hold
    unsigned windowLogMax;
};

// A download's: a decoded file has a download body's bound (kMaxBodyBytes),
// and kMaxFrameWindowLog.
FrameLimits DownloadFrameLimits();

// Why a frame was not taken; each is a different thing to look for on the
// publisher's side.
enum class FrameFault {
    None,
    NotZstd,         // no zstd frame's magic number
    Skippable,       // a skippable frame: no content at all
    NoContentSize,   // a frame that does not say how much it holds
    NoChecksum,      // nothing would tell a damaged result from the file
    TooLarge,        // announces, or expands to, more than the bound: a bomb
    WindowTooLarge,  // would take more memory than the bound
    Dictionary,      // made with a dictionary this program does not have
    Damaged,         // the decoder refused the blocks: damaged, or another reference
    Checksum,        // decoded, but not to the bytes it was made from
    Cut,             // the frame stops before its end
    Trailing,        // more after the frame: a second frame, or anything else
};

// The fault's name for the log and the support tool.
const char* FrameFaultName(FrameFault fault);

// Hands the next piece of the frame's bytes through data; 0 at the end.
using FrameInput = std::function<size_t(const char*& data)>;
// Takes each piece of the decoded file in order; may throw (a full disk),
// which ends the decoding and propagates.
using FrameOutput = std::function<void(const char* data, size_t size)>;

// Decodes the one frame that input holds into output, with reference as
// its prefix (empty: none). Output may have received a piece of a file
// when the answer is a fault: the caller throws it away.
FrameFault DecodeFrame(const FrameInput& input, const std::string& reference,
                       const FrameOutput& output,
                       const FrameLimits& limits = DownloadFrameLimits());

}  // namespace pellinor

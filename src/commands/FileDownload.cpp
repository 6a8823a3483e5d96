// The commands' download over the program's HTTP client.
#include "commands/FileDownload.h"

#include <algorithm>
#include <memory>

#include "commands/FrameDecoder.h"
#include "log/LogEvent.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "transfer/Download.h"
#include "transfer/UrlEncode.h"

namespace pellinor {

namespace {
// Done, or Write with the error's text.
template <typename Write>
StepResult Written(const Write& write) {
    try {
        write();
    } catch (const Error& error) {
        StepResult result = Failure(Step::Write);
        result.text = error.what();
        return result;
    }
    return StepResult{};
}

// The bytes of a fetched body in order, a piece at a time: those moved to
// the scratch file, then those in memory.
FrameInput BodyPieces(const HttpResponse& response, ScratchFile* scratch, std::string& piece) {
    return [&response, scratch, &piece, offset = uint64_t{0},
            tailGiven = false](const char*& data) mutable -> size_t {
        if (offset < response.spilled) {
            piece.resize(
                static_cast<size_t>(std::min<uint64_t>(kScratchPiece, response.spilled - offset)));
            const size_t read = scratch->Read(offset, &piece[0], piece.size());
            if (read == 0) throw Error("The temporary copy of the download cannot be read.");
            offset += read;
            data = piece.data();
            return read;
        }
        if (tailGiven) return 0;
        tailGiven = true;
        data = response.body.data();
        return response.body.size();
    };
}

// Whether a packed file's reply brought its whole body. A patch may be
// smaller than the smallest program the completeness rule lets through;
// its frame's content size and checksum vouch for what it decodes to.
bool WholePacked(const FetchOutcome& outcome) {
    const HttpResponse& r = outcome.response;
    const bool delimited = r.framing == BodyFraming::Length || r.framing == BodyFraming::Chunked;
    return outcome.whole || (!outcome.failed && r.complete && r.status / 100 == 2 && delimited &&
                             r.BodySize() == r.announced);
}

// The installed program a patch was made from, held whole while the patch
// decodes (the decoder reads it at any offset). Nothing when it cannot be
// read whole.
std::optional<std::string> ReadReference(FileSystem& files, const std::string& path) {
    const std::optional<uint64_t> size = files.FileSize(path);
    if (!size || *size > kMaxPatchReference) return std::nullopt;
    std::string bytes = files.ReadFile(path, static_cast<size_t>(*size));
    if (bytes.size() != *size) return std::nullopt;
    return bytes;
}

PackedResult PassedOver(const std::string& reason, const FetchOutcome& outcome) {
    PackedResult passed;
    passed.result = Failure(Step::Download);
    passed.passedOver = true;
    passed.reason = reason;
    passed.carried = outcome.response.BodySize();
    return passed;
}
}  // namespace

StepResult HttpDownloader::DownloadOneFile(const std::string& url, const std::string& dest) {
    // A program of many megabytes passes through a file of its own, not
    // the memory of an old PC; without one it is held in memory whole.
    const std::unique_ptr<ScratchFile> scratch = files_.OpenScratchFile();
    if (!scratch) LogEvent("download held in memory: no scratch file in the temporary folder");
    const FetchOutcome outcome = FetchOneFile(http_, url, scratch.get(), ResumeLimits(), parts_);
    if (arrived_) arrived_();
    if (outcome.stopped) return Failure(Step::Stopped);
    if (!outcome.whole) {
        StepResult result = DownloadFailure(
            outcome.failed, outcome.failed ? DownloadErrorText(outcome, dest) : std::string());
        result.keptBytes = outcome.kept;
        return result;
    }
    return Written([&] { WriteWholeBody(files_, dest, outcome.response, scratch.get()); });
}

PackedResult HttpDownloader::DownloadPacked(const PackedFile& packed, const std::string& dest) {
    const std::unique_ptr<ScratchFile> scratch = files_.OpenScratchFile();
    // Each packed file keeps its own part, as the program does: a patch that
    // one evening's line could not finish is finished the next.
    const FetchOutcome outcome =
        FetchOneFile(http_, packed.url, scratch.get(), ResumeLimits(), parts_);
    if (arrived_) arrived_();
    const HttpResponse& response = outcome.response;
    PackedResult packedResult;
    packedResult.carried = response.BodySize();
    if (outcome.stopped) {
        packedResult.result = Failure(Step::Stopped);
        return packedResult;
    }
    // A proxy's 407 is the way's answer, not the file's: every next file
    // would meet it too (and ask for the sign-in again).
    const bool wayRefused = response.status == 407;
    if (!response.statusLine.empty() && response.status / 100 != 2 && !wayRefused)
        return PassedOver(Quoted(response.statusLine), outcome);
    if (!WholePacked(outcome)) {
        // As the program's own download would have ended: the box names
        // the program, the file the user knows of.
        packedResult.result = DownloadFailure(
            outcome.failed, outcome.failed ? outcome.error + "\n\n" +
                                                 EncodeUrl(packed.programUrl).Text() + "\n" + dest
                                           : std::string());
        packedResult.result.keptBytes = outcome.kept;
        return packedResult;
    }
    std::string reference;
    if (!packed.reference.empty()) {
        std::optional<std::string> read = ReadReference(files_, packed.reference);
        if (!read) return PassedOver("the installed program cannot be read whole", outcome);
        reference = std::move(*read);
    }
    FrameFault fault = FrameFault::None;
    packedResult.result =
        Written([&] { fault = DecodeBody(files_, response, scratch.get(), reference, dest); });
    if (fault != FrameFault::None) return PassedOver(FrameFaultName(fault), outcome);
    return packedResult;
}

FrameFault DecodeBody(FileSystem& files, const HttpResponse& response, ScratchFile* body,
                      const std::string& reference, const std::string& dest) {
    // The decoded program goes to a scratch file of its own, never as a
    // piece into the installation folder; dest is written once it is whole.
    const std::unique_ptr<ScratchFile> decoded = files.OpenScratchFile();
    std::string inMemory;
    std::string piece;
    const FrameFault fault = DecodeFrame(BodyPieces(response, body, piece), reference,
                                         [&](const char* data, size_t size) {
                                             if (decoded)
                                                 decoded->Append(data, size);
                                             else
                                                 inMemory.append(data, size);
                                         });
    if (fault != FrameFault::None) return fault;
    if (decoded)
        WriteWholeFile(files, dest, *decoded, std::string());
    else
        WriteWholeFile(files, dest, inMemory);
    return fault;
}

StepResult WriteDownload(FileSystem& files, const std::string& dest, const std::string& body) {
    return Written([&] { WriteWholeFile(files, dest, body); });
}

}  // namespace pellinor

// One address fetched and judged: whether its body may be written.
#pragma once

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "transfer/HttpClient.h"
#include "transfer/PartKeeping.h"
#include "transfer/ResumableFetch.h"

namespace pellinor {

// kDownloadStopped: the user stopped the download to close the program. It
// is never shown, and it is positive so that no notice code and no negated
// system error number can ever be taken for it.
enum : int {
    kDownloadOk = 0,
    kDownloadIncomplete = -1,
    kDownloadFailed = -59,
    kDownloadStopped = 1,
};

// What one GET of a typed address brought, before anything is written:
// the window's download and the support tool judge it by the same rules.
struct FetchOutcome {
    std::string encodedUrl;  // the address as it was sent
    HttpResponse response;   // what arrived, also when the client raised an error
    bool failed = false;     // the client raised an error: the E0059 box
    bool stopped = false;    // the user stopped it: no box, nothing written
    std::string error;       // its text
    bool whole = false;      // !failed && IsBodyWhole(response): the body may be written
    int tries = 0;           // the GETs it took: the first and each resume
    uint64_t kept = 0;       // the bytes kept on disk for the next run to go on from
};

// Encodes url and GETs it; a body cut off is resumed within limits (see
// ResumableFetch.h). The body's first response.spilled bytes go to scratch
// when one is given (see HttpClient::SpillBodiesTo). An address that
// cannot be encoded is the caller's error and propagates; the client's
// errors end in the outcome. With parts (and a scratch file), what an
// earlier run kept of the address is asked to go on, and what this run
// cannot finish is kept for the next.
FetchOutcome FetchOneFile(HttpClient& http, const std::string& url, ScratchFile* scratch = nullptr,
                          const ResumeLimits& limits = ResumeLimits(),
                          PartKeeping* parts = nullptr);

// Writes a response's body (the bytes of scratch, then those in memory) to
// path as a new file, whole or not at all; throws as WriteWholeFile does.
void WriteWholeBody(FileSystem& files, const std::string& path, const HttpResponse& response,
                    ScratchFile* scratch);

// The text of the E0059 box for a failed fetch meant for dest.
std::string DownloadErrorText(const FetchOutcome& outcome, const std::string& dest);

// The outcome as a number: 0 whole, kDownloadStopped, -59 failed, else -1.
int DownloadResult(const FetchOutcome& outcome);

}  // namespace pellinor

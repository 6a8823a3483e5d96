// The fetch the window's download shares with the support tool: the body
// is fetched into memory and a scratch file, resumed where a line cut it,
// and judged whole before anything may write it.
#include "transfer/Download.h"

#include <exception>

#include "http/RequestBounds.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "platform/Error.h"
#include "platform/WholeFile.h"
#include "transfer/TransferLog.h"
#include "transfer/UrlEncode.h"

namespace pellinor {
FetchOutcome FetchOneFile(HttpClient& http, const std::string& url, ScratchFile* scratch,
                          const ResumeLimits& limits) {
    FetchOutcome outcome;
    const HttpUrl encoded = EncodeUrl(url);
    outcome.encodedUrl = encoded.Text();
    LogEvent("download begins url=" + AddressForLog(outcome.encodedUrl));
    HttpResponse& response = outcome.response;
    // The client's scratch file for this download only, emptied by its first body.
    http.SpillBodiesTo(scratch);
    struct Unspill {
        HttpClient& http;
        ~Unspill() { http.SpillBodiesTo(nullptr); }
    } unspill{http};
    // The bytes of the file held between two tries, and what the last 200
    // said of the file: its length, its validator, whether it takes ranges.
    std::string held;
    ResumePoint point;
    point.held = &held;
    bool refused = false;
    HttpUrl address = encoded;
    const auto stop = [&outcome] {
        // Never a piece of a file, even one whose body had all arrived
        // (a stop in a chunked body's trailers): the user said stop.
        outcome.stopped = true;
        outcome.failed = false;
        outcome.whole = false;
        outcome.error.clear();
        LogEvent(DownloadLogLine(outcome));
        return outcome;
    };
    for (;;) {
        // Every try after the first goes on with the download's time; it
        // asks for a range only while bytes are held.
        const bool resuming = ++outcome.tries > 1;
        const uint64_t from = point.From();
        outcome.failed = false;
        outcome.error.clear();
        try {
            http.Get(address, response, resuming ? &point : nullptr);
        } catch (const RequestStopped&) {
            return stop();
        } catch (const std::exception& e) {
            outcome.failed = true;
            outcome.error = e.what();
        }
        // A continuing 206 took the bytes held; a 200 begins the file anew,
        // the bytes held belonging to a file that has since changed (or to a
        // server that ignores ranges); no answer at all leaves them as held.
        // A 206 the client did not take is a piece of another file (or not
        // the rest of this one): what is held cannot be finished and is
        // dropped, and the file is asked again from its start.
        const bool foreign =
            from > 0 && response.status == 206 && outcome.error == response.statusLine;
        if (response.status == 200) {
            held.clear();
            point.spilled = 0;
            point.total = response.framing == BodyFraming::Length ? response.announced : 0;
            point.validator = StrongValidator(response.headers);
            refused = RangesRefused(response);
        } else if (foreign) {
            held.clear();
            point = ResumePoint{0, &held, 0, std::string()};
        } else if (!held.empty() || response.spilled < point.spilled) {
            // No 206 took them: they go back to the response as they were.
            response.spilled = point.spilled;
            response.body = std::move(held);
            held.clear();
        }
        // A failure box and a success never come together: an error anywhere
        // in the reply, past the body's end too, leaves nothing written. A
        // file made of pieces is whole only at the length first announced.
        outcome.whole = !outcome.failed && IsBodyWhole(response) &&
                        (point.total == 0 || response.BodySize() == point.total);
        const bool cut = outcome.failed ? IsCut(outcome.error) : !response.complete;
        const bool answered =
            response.status == 200 || response.status == 206 || response.statusLine.empty();
        // Never resumed: a body without a validator, one whose length is
        // unknown (chunked, or to the close), nor one that brought nothing.
        const bool resumable = !outcome.whole && cut && answered && point.total > 0 &&
                               !point.validator.empty() && !refused && response.BodySize() > 0 &&
                               response.BodySize() < point.total && outcome.tries < limits.tries;
        const bool again = foreign && outcome.tries < limits.tries;
        LogEvent(TryLogLine(outcome, from > 0, from,
                            resumable ? "resume"
                            : again   ? "start-over"
                                      : nullptr));
        if (again) {
            address = encoded;
            continue;
        }
        if (!resumable) break;
        try {
            http.Pause(limits.pause);
        } catch (const RequestStopped&) {
            return stop();
        }
        held = std::move(response.body);
        response.body.clear();
        point.spilled = response.spilled;
        address = ParseHttpUrl(response.url);
    }
    LogEvent(DownloadLogLine(outcome));
    return outcome;
}

void WriteWholeBody(FileSystem& files, const std::string& path, const HttpResponse& response,
                    ScratchFile* scratch) {
    if (response.spilled == 0) return WriteWholeFile(files, path, response.body);
    // The scratch file holds what the client moved there and nothing else.
    if (!scratch || scratch->Size() != response.spilled) {
        throw Error("The temporary copy of the download does not hold its start.");
    }
    WriteWholeFile(files, path, *scratch, response.body);
}

std::string DownloadErrorText(const FetchOutcome& outcome, const std::string& dest) {
    return outcome.error + "\n\n" + outcome.encodedUrl + "\n" + dest;
}

int DownloadResult(const FetchOutcome& outcome) {
    if (outcome.stopped) return kDownloadStopped;
    if (outcome.whole) return kDownloadOk;
    return outcome.failed ? kDownloadFailed : kDownloadIncomplete;
}

}  // namespace pellinor

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
namespace {
// Whether the bytes held may be asked to go on in another run: of a file
// of known length named by a strong validator, whose server takes ranges.
bool KeepableCut(const HttpResponse& response, const ResumePoint& point, bool refused) {
    return point.total > 0 && !point.validator.empty() && !refused && response.BodySize() > 0 &&
           response.BodySize() < point.total;
}
}  // namespace

FetchOutcome FetchOneFile(HttpClient& http, const std::string& url, ScratchFile* scratch,
                          const ResumeLimits& limits, PartKeeping* parts) {
    FetchOutcome outcome;
    const HttpUrl encoded = EncodeUrl(url);
    outcome.encodedUrl = encoded.Text();
    LogEvent("download begins url=" + AddressForLog(outcome.encodedUrl));
    HttpResponse& response = outcome.response;
    // A part kept needs a file to go on in: without a scratch file, today's
    // download held in memory.
    if (!scratch) parts = nullptr;
    std::optional<KeptStart> kept;
    // The client's scratch file for this download only, emptied by its
    // first body; with parts kept, each byte goes on to the part too.
    ScratchFile* const spill =
        parts ? &parts->Begin(outcome.encodedUrl, *scratch, response, kept) : scratch;
    http.SpillBodiesTo(spill);
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
    // The first request continues the part an earlier run kept.
    bool resuming = kept.has_value();
    if (kept) {
        point.spilled = kept->held;
        point.total = kept->total;
        point.validator = kept->validator;
        point.opensDownload = true;
    }
    HttpUrl address = encoded;
    // What is held is kept for the next run, or cleared, as the end says.
    const auto end = [&](bool keep) {
        if (!parts) return;
        outcome.kept = parts->End(response, point.validator, point.total, keep);
        if (outcome.kept > 0) {
            LogEvent("part kept for the next run: " + std::to_string(outcome.kept) + " of " +
                     std::to_string(point.total) + " bytes");
        } else {
            LogEvent(outcome.whole ? "no part kept: the file arrived whole" : "no part kept");
        }
    };
    // A continuing 206 took the bytes held; a 200 begins the file anew,
    // the bytes held belonging to a file that has since changed (or to a
    // server that ignores ranges); no answer at all leaves them as held.
    // A 206 the client did not take (foreign) is a piece of another file (or
    // not the rest of this one): what is held cannot be finished and is
    // dropped, and the file is asked again from its start.
    const auto settle = [&](bool foreign) {
        if (response.status == 200) {
            held.clear();
            point.spilled = 0;
            point.total = response.framing == BodyFraming::Length ? response.announced : 0;
            point.validator = StrongValidator(response.headers);
            refused = RangesRefused(response);
        } else if (foreign) {
            held.clear();
            point = ResumePoint();
            point.held = &held;
        } else if (!held.empty() || response.spilled < point.spilled) {
            // No 206 took them: they go back to the response as they were.
            response.spilled = point.spilled;
            response.body = std::move(held);
            held.clear();
        }
    };
    const auto stop = [&] {
        // Never a piece of a file, even one whose body had all arrived
        // (a stop in a chunked body's trailers): the user said stop.
        outcome.stopped = true;
        outcome.failed = false;
        outcome.whole = false;
        outcome.error.clear();
        LogEvent(DownloadLogLine(outcome));
        settle(false);
        end(KeepableCut(response, point, refused));
        return outcome;
    };
    for (;;) {
        ++outcome.tries;
        const uint64_t from = resuming ? point.From() : 0;
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
        const bool fromKept = point.opensDownload;
        point.opensDownload = false;
        const bool foreign =
            from > 0 && response.status == 206 && outcome.error == response.statusLine;
        // The server answered the kept part's request with neither the rest
        // of the same file nor the whole one (another range or total, a
        // changed validator, a refusal of the range): the part goes and the
        // file is asked for anew.
        if (fromKept && response.status > 0 && response.status != 200 &&
            (response.status != 206 || foreign)) {
            LogEvent("the kept part was not continued (" + Quoted(response.statusLine) +
                     "): it is removed, the download starts over");
            try {
                spill->Clear();
            } catch (const std::exception& e) {
                outcome.failed = true;
                outcome.error = e.what();
                break;
            }
            point = ResumePoint();
            point.held = &held;
            resuming = false;
            // Once at most, and not one of this run's tries: the run has
            // not yet asked for its file.
            --outcome.tries;
            continue;
        }
        settle(foreign);
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
            resuming = false;
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
        resuming = true;
    }
    LogEvent(DownloadLogLine(outcome));
    // A whole body clears the part, whatever the checks then say of it.
    end(!outcome.whole && KeepableCut(response, point, refused));
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

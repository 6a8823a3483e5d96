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

// Whether the bytes held may be asked to go on, in this run or another: of
// a file of known length named by a strong validator, whose server takes
// ranges.
bool KeepableCut(const HttpResponse& response, const ResumePoint& point, bool refused) {
    return point.total > 0 && !point.validator.empty() && !refused && response.BodySize() > 0 &&
           response.BodySize() < point.total;
}

// One address fetched: its tries, the bytes held between them, and the
// part kept for another run. Each step a function of its own; Run() is the
// order they go in.
class OneFileFetch {
  public:
    OneFileFetch(HttpClient& http, const std::string& url, ScratchFile* scratch,
                 const ResumeLimits& limits, PartKeeping* parts);
    ~OneFileFetch() { http_.SpillBodiesTo(nullptr); }
    OneFileFetch(const OneFileFetch&) = delete;
    OneFileFetch& operator=(const OneFileFetch&) = delete;

    FetchOutcome Run();

  private:
    // What this try's answer did to the kept part: it was not continued,
    // and the download begins again (Again), or it ends there (End).
    enum class KeptAnswer { Taken, Again, End };

    void Ask();
    KeptAnswer DropUnansweredPart(bool fromKept, bool foreign);
    void Settle(bool foreign);
    bool Resumable() const;
    FetchOutcome Stop();
    void End(bool keep);

    HttpClient& http_;
    const ResumeLimits& limits_;
    PartKeeping* parts_;
    FetchOutcome outcome_;
    HttpResponse& response_ = outcome_.response;
    HttpUrl encoded_;
    HttpUrl address_;
    ScratchFile* spill_ = nullptr;
    // The bytes of the file held between two tries, and what the last 200
    // said of the file: its length, its validator, whether it takes ranges.
    std::string held_;
    ResumePoint point_;
    bool refused_ = false;
    bool resuming_ = false;
};

OneFileFetch::OneFileFetch(HttpClient& http, const std::string& url, ScratchFile* scratch,
                           const ResumeLimits& limits, PartKeeping* parts)
    : http_(http), limits_(limits), parts_(scratch ? parts : nullptr), encoded_(EncodeUrl(url)) {
    outcome_.encodedUrl = encoded_.Text();
    address_ = encoded_;
    LogEvent("download begins url=" + AddressForLog(outcome_.encodedUrl));
    point_.held = &held_;
    // A part kept needs a file to go on in: without a scratch file, today's
    // download held in memory. The client's scratch file is for this
    // download only, emptied by its first body; with parts kept, each byte
    // goes on to the part too.
    std::optional<KeptStart> kept;
    spill_ = parts_ ? &parts_->Begin(outcome_.encodedUrl, *scratch, response_, kept) : scratch;
    http_.SpillBodiesTo(spill_);
    // The first request continues the part an earlier run kept.
    if (kept) {
        point_.spilled = kept->held;
        point_.total = kept->total;
        point_.validator = kept->validator;
        point_.opensDownload = true;
        resuming_ = true;
    }
}

FetchOutcome OneFileFetch::Run() {
    for (;;) {
        ++outcome_.tries;
        const uint64_t from = resuming_ ? point_.From() : 0;
        try {
            Ask();
        } catch (const RequestStopped&) {
            return Stop();
        }
        const bool fromKept = point_.opensDownload;
        point_.opensDownload = false;
        // A 206 the client did not take is a piece of another file (or not
        // the rest of this one), and a 416 says the range asked for is past
        // the file's end as it is now: what is held cannot be finished.
        const bool foreign = from > 0 && (response_.status == 206 || response_.status == 416) &&
                             outcome_.error == response_.statusLine;
        const KeptAnswer kept = DropUnansweredPart(fromKept, foreign);
        if (kept == KeptAnswer::Again) continue;
        if (kept == KeptAnswer::End) break;
        Settle(foreign);
        // A failure box and a success never come together: an error anywhere
        // in the reply, past the body's end too, leaves nothing written. A
        // file made of pieces is whole only at the length first announced.
        outcome_.whole = !outcome_.failed && IsBodyWhole(response_) &&
                         (point_.total == 0 || response_.BodySize() == point_.total);
        const bool resumable = Resumable();
        const bool again = foreign && outcome_.tries < limits_.tries;
        LogEvent(TryLogLine(outcome_, from > 0, from,
                            resumable ? "resume"
                            : again   ? "start-over"
                                      : nullptr));
        if (again) {
            address_ = encoded_;
            resuming_ = false;
            continue;
        }
        if (!resumable) break;
        try {
            http_.Pause(limits_.pause);
        } catch (const RequestStopped&) {
            return Stop();
        }
        held_ = std::move(response_.body);
        response_.body.clear();
        point_.spilled = response_.spilled;
        address_ = ParseHttpUrl(response_.url);
        resuming_ = true;
    }
    LogEvent(DownloadLogLine(outcome_));
    // A whole body clears the part, whatever the checks then say of it.
    End(!outcome_.whole && KeepableCut(response_, point_, refused_));
    return outcome_;
}

// One GET, asking for a range only while resuming; the client's errors end
// in the outcome, a stop propagates.
void OneFileFetch::Ask() {
    outcome_.failed = false;
    outcome_.error.clear();
    try {
        http_.Get(address_, response_, resuming_ ? &point_ : nullptr);
    } catch (const RequestStopped&) {
        throw;
    } catch (const std::exception& e) {
        outcome_.failed = true;
        outcome_.error = e.what();
    }
}

// The server answered the kept part's request with neither the rest of the
// same file nor the whole one (another range or total, a changed validator,
// a refusal of the range): the part goes and the file is asked for anew.
OneFileFetch::KeptAnswer OneFileFetch::DropUnansweredPart(bool fromKept, bool foreign) {
    if (!fromKept || response_.status == 0 || response_.status == 200 ||
        (response_.status == 206 && !foreign)) {
        return KeptAnswer::Taken;
    }
    LogEvent("the kept part was not continued (" + Quoted(response_.statusLine) +
             "): it is removed, the download starts over");
    try {
        spill_->Clear();
    } catch (const std::exception& e) {
        outcome_.failed = true;
        outcome_.error = e.what();
        return KeptAnswer::End;
    }
    point_ = ResumePoint();
    point_.held = &held_;
    resuming_ = false;
    // Once at most, and not one of this run's tries: the run has not yet
    // asked for its file.
    --outcome_.tries;
    return KeptAnswer::Again;
}

// A continuing 206 took the bytes held; a 200 begins the file anew, the
// bytes held belonging to a file that has since changed (or to a server
// that ignores ranges); no answer at all leaves them as held. A foreign
// answer drops them, and the file is asked again from its start.
void OneFileFetch::Settle(bool foreign) {
    if (response_.status == 200) {
        held_.clear();
        point_.spilled = 0;
        point_.total = response_.framing == BodyFraming::Length ? response_.announced : 0;
        point_.validator = StrongValidator(response_.headers);
        refused_ = RangesRefused(response_);
    } else if (foreign) {
        held_.clear();
        point_ = ResumePoint();
        point_.held = &held_;
    } else if (!held_.empty() || response_.spilled < point_.spilled) {
        // No 206 took them: they go back to the response as they were.
        response_.spilled = point_.spilled;
        response_.body = std::move(held_);
        held_.clear();
    }
}

// Whether the body the try left is cut by the line and may go on where it
// stopped: never a body without a validator, one whose length is unknown
// (chunked, or to the close), nor one that brought nothing.
bool OneFileFetch::Resumable() const {
    const bool cut = outcome_.failed ? IsCut(outcome_.error) : !response_.complete;
    const bool answered =
        response_.status == 200 || response_.status == 206 || response_.statusLine.empty();
    return !outcome_.whole && cut && answered && KeepableCut(response_, point_, refused_) &&
           outcome_.tries < limits_.tries;
}

// Never a piece of a file, even one whose body had all arrived (a stop in a
// chunked body's trailers): the user said stop. What is held is kept for
// another run all the same.
FetchOutcome OneFileFetch::Stop() {
    outcome_.stopped = true;
    outcome_.failed = false;
    outcome_.whole = false;
    outcome_.error.clear();
    LogEvent(DownloadLogLine(outcome_));
    Settle(false);
    End(KeepableCut(response_, point_, refused_));
    return outcome_;
}

// What is held is kept for the next run, or cleared, as the end says.
void OneFileFetch::End(bool keep) {
    if (!parts_) return;
    outcome_.kept = parts_->End(response_, point_.validator, point_.total, keep);
    if (outcome_.kept > 0) {
        LogEvent("part kept for the next run: " + std::to_string(outcome_.kept) + " of " +
                 std::to_string(point_.total) + " bytes");
    } else {
        LogEvent(outcome_.whole ? "no part kept: the file arrived whole" : "no part kept");
    }
}

}  // namespace

FetchOutcome FetchOneFile(HttpClient& http, const std::string& url, ScratchFile* scratch,
                          const ResumeLimits& limits, PartKeeping* parts) {
    return OneFileFetch(http, url, scratch, limits, parts).Run();
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

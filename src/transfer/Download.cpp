// The fetch the window's download shares with the support tool: the body
// is fetched into memory and judged whole before anything may write it.
#include "transfer/Download.h"

#include <exception>

#include "http/RequestBounds.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "transfer/TransferLog.h"
#include "transfer/UrlEncode.h"

namespace pellinor {
FetchOutcome FetchOneFile(HttpClient& http, const std::string& url) {
    FetchOutcome outcome;
    const HttpUrl encoded = EncodeUrl(url);
    outcome.encodedUrl = encoded.Text();
    LogEvent("download begins url=" + AddressForLog(outcome.encodedUrl));
    try {
        http.Get(encoded, outcome.response);
    } catch (const RequestStopped&) {
        // Never a piece of a file, even one whose body had all arrived
        // (a stop in a chunked body's trailers): the user said stop.
        outcome.stopped = true;
        LogEvent(DownloadLogLine(outcome));
        return outcome;
    } catch (const std::exception& e) {
        outcome.failed = true;
        outcome.error = e.what();
    }
    // A failure box and a success never come together: an error anywhere
    // in the reply, past the body's end too, leaves nothing written.
    outcome.whole = !outcome.failed && IsBodyWhole(outcome.response);
    LogEvent(DownloadLogLine(outcome));
    return outcome;
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

// The download's lines in the support log.
#include "transfer/TransferLog.h"

#include "log/LogEvent.h"
#include "log/LogLine.h"

namespace pellinor {

std::string FramingName(BodyFraming framing) {
    switch (framing) {
        case BodyFraming::Length:
            return "length";
        case BodyFraming::Chunked:
            return "chunked";
        case BodyFraming::Close:
            return "close";
        case BodyFraming::None:
            break;
    }
    return "none";
}

std::string ResponseLogLine(const std::string& url, const std::string& statusLine,
                            BodyFraming framing, uint64_t announced, uint64_t received,
                            bool complete) {
    return "response url=" + AddressForLog(url) + " status=" + Quoted(statusLine) +
           " framing=" + FramingName(framing) + " announced=" + std::to_string(announced) +
           " received=" + std::to_string(received) + " complete=" + YesNo(complete);
}

std::string DownloadLogLine(const FetchOutcome& outcome) {
    const HttpResponse& r = outcome.response;
    // An address refused before any request leaves the response's empty.
    const std::string& url = r.url.empty() ? outcome.encodedUrl : r.url;
    std::string line = "download url=" + AddressForLog(url) + " status=" + Quoted(r.statusLine) +
                       " framing=" + FramingName(r.framing) +
                       " announced=" + std::to_string(r.announced) +
                       " bytes=" + std::to_string(r.BodySize()) + " whole=" + YesNo(outcome.whole);
    if (outcome.stopped) line += " stopped=yes";
    if (outcome.failed) line += " error=" + Quoted(outcome.error);
    return line;
}

std::string TryLogLine(const FetchOutcome& outcome, bool ranged, uint64_t from, const char* next) {
    const HttpResponse& r = outcome.response;
    std::string line = "download try=" + std::to_string(outcome.tries) +
                       " range=" + (ranged ? "bytes=" + std::to_string(from) + "-" : "none") +
                       " status=" + Quoted(r.statusLine) +
                       " bytes=" + std::to_string(r.BodySize()) + " outcome=" +
                       (outcome.whole ? "whole"
                        : next        ? next
                                      : "end");
    if (outcome.failed) line += " error=" + Quoted(outcome.error);
    return line;
}

}  // namespace pellinor

// The support log's lines about the download: one for each response of a
// request (a redirect's too), and one for what the download came to.
#pragma once

#include <cstdint>
#include <string>

#include "transfer/Download.h"
#include "transfer/HttpClient.h"

namespace pellinor {

// "length", "chunked", "close" or "none".
std::string FramingName(BodyFraming framing);

// "response url=... status="..." framing=... announced=N received=N
// complete=yes": received counts the body's bytes, kept or thrown away (a
// redirect's), without a chunked body's chunk lines.
std::string ResponseLogLine(const std::string& url, const std::string& statusLine,
                            BodyFraming framing, uint64_t announced, uint64_t received,
                            bool complete);

// "download url=... status="..." framing=... announced=N bytes=N whole=no
// error="..."": the same facts as pellinor-fetch's summary line, and the
// error's text when there was one.
std::string DownloadLogLine(const FetchOutcome& outcome);

// "download try=N range=bytes=F- status="..." bytes=N outcome=whole|next|end
// error="..."": one line for each GET of a download, those that held
// nothing with range=none; next ("resume", "start-over") when another try
// follows.
std::string TryLogLine(const FetchOutcome& outcome, bool ranged, uint64_t from, const char* next);

}  // namespace pellinor

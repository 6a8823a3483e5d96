// The bytes of the requests the client writes: the GET of a file, and the
// CONNECT that opens a tunnel through a proxy to an https server.
#pragma once

#include <string>

#include "transfer/HttpUrl.h"

namespace pellinor {

// The GET of url with the cookies it takes; through a plain proxy the
// request line names the whole address. range is the Range and If-Range
// lines of a resumed fetch, or empty.
std::string RequestBytes(const HttpUrl& url, const std::string& cookies, bool viaProxy,
                         const std::string& proxyAuthorization, const std::string& range);

// The CONNECT to url's server and port, with the proxy's sign-in when given.
std::string ConnectBytes(const HttpUrl& url, const std::string& proxyAuthorization);

}  // namespace pellinor

// Placeholder until the client lands: every GET fails.
#include "transfer/HttpClient.h"

#include "platform/Error.h"

namespace pellinor {

class HttpClient::Impl {};

HttpClient::HttpClient(HttpEvents) : impl_(std::make_unique<Impl>()) {}
HttpClient::~HttpClient() = default;
void HttpClient::Get(const std::string&, HttpResponse&) { throw Error("HTTP client not built yet"); }

}  // namespace pellinor

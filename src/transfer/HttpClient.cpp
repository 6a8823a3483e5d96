// The GET of the download: redirects, cookies, kept-open connections and the
// error texts, over the connection and response reader of this folder.
#include "transfer/HttpClient.h"

#include <ctime>

#include "log/LogEvent.h"
#include "platform/Error.h"
#include "text/TextRules.h"
#include "transfer/Cookies.h"
#include "transfer/HttpConnection.h"
#include "transfer/HttpResponseReader.h"
#include "transfer/HttpUrl.h"
#include "transfer/RequestBounds.h"
#include "transfer/SocketErrors.h"
#include "transfer/TransferLog.h"
#include "transfer/UrlEncode.h"

namespace pellinor {
namespace {

constexpr int kMaxRequests = 15;

// A response with a Location leads on, whatever its status. A 3xx without
// one leads nowhere: it is shown with its status line like any failure
// (following it would fetch the current folder's page in its place).
bool IsRedirect(const ResponseHead& head) {
    return !head.Header("Location").empty();
}

// Only a connection that closed before any byte of the reply may take the
// request again: the server dropped a kept connection it no longer wanted.
// A server that fell silent (or was stopped) has the request already, and
// a second one would double the wait and the request.
bool ClosedBeforeReply(const std::string& error) {
    return error == kConnectionClosedGracefully || error == SocketErrorMessage(10053) ||
           error == SocketErrorMessage(10054);
}

// Only a plain 200 carries the whole file: a 206 is a piece of it (no range
// is ever asked for), and 201, 203 and the rest answer other questions. Any
// of them is shown as the server's status line, like a 404.
bool IsSuccess(const ResponseHead& head) {
    return head.status == 200;
}

// Checked before any name lookup: there is no secure transport.
void CheckProtocol(const HttpUrl& url) {
    if (SameTextAscii(url.protocol, "https")) throw Error(kIoHandlerNotValid);
    if (!SameTextAscii(url.protocol, "http")) throw Error(kUnknownProtocol);
}

// A Location is followed as the server wrote it, except for bytes that
// cannot stand in a request line.
std::string Printable(const std::string& location) {
    return PercentEscape(location, [](unsigned char c) { return c <= 32 || c >= 127; });
}

// The header lines in the order servers have always seen from this program
// (some log or filter on it): Content-Type, Host, Accept, User-Agent, then
// Cookie. No Connection header: HTTP/1.1 keeps the connection by default.
std::string RequestBytes(const HttpUrl& url, const std::string& cookies) {
    std::string r = "GET " + url.Target() + " HTTP/1.1\r\n";
    r += "Content-Type: text/html\r\n";
    r += "Host: " + url.HostHeader() + "\r\n";
    r += "Accept: text/html, */*\r\n";
    r += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!cookies.empty()) r += "Cookie: " + cookies + "\r\n";
    r += "\r\n";
    return r;
}

}  // namespace

class HttpClient::Impl {
  public:
    // Without a transport of its own the client opens socket connections,
    // which keep the window alive through the events while they wait.
    Impl(HttpEvents events, std::unique_ptr<HttpTransport> transport)
        : events_(std::move(events)),
          owned_(transport ? std::move(transport) : std::make_unique<HttpConnection>([this] {
              if (events_.processMessages) events_.processMessages();
          })),
          connection_(*owned_) {}

    void Get(HttpUrl url, HttpResponse& response) {
        response = HttpResponse();
        for (int requests = 1;; ++requests) {
            response.url = url.Text();
            CheckProtocol(url);
            ResponseHead head;
            const bool redirect = Request(url, response, head);
            if (!redirect) return;
            // The limit reached: the GET ends quietly with nothing.
            if (requests >= kMaxRequests) return;
            url = ResolveLocation(url, Printable(head.Header("Location")));
        }
    }

    void Stop() { connection_.Stop(); }

  private:
    // One request and its response. True when the response redirects; its
    // body is then thrown away and the buffer left empty.
    bool Request(const HttpUrl& url, HttpResponse& response, ResponseHead& head) {
        cookies_.DropExpired(std::time(nullptr));
        const std::string request = RequestBytes(url, cookies_.HeaderFor(url));
        HttpResponseReader reader = Exchange(url, request, head);
        response.statusLine = head.statusLine;
        cookies_.StoreAll(head.Headers("Set-Cookie"), url, std::time(nullptr));
        const bool redirect = IsRedirect(head);
        const bool success = !redirect && IsSuccess(head);
        response.body.clear();
        BodyResult body;
        // Every response in the support log, a redirect's and a failed one's too.
        const auto logResponse = [&] {
            LogEvent(ResponseLogLine(url.Text(), head.statusLine, body.framing, body.announced,
                                     reader.BodyBytesRead(), body.complete));
        };
        connection_.Enter(redirect ? ResponsePart::RedirectBody : ResponsePart::Body);
        try {
            reader.ReadBody(head, success ? &response.body : nullptr, body);
        } catch (const RedirectBodyCut&) {
            // kRedirectBodyTimeLimit passed: the rest of it is not waited for.
            logResponse();
            connection_.Close();
            return true;
        } catch (...) {
            logResponse();
            if (success) Keep(body, response);
            if (!success) response.body.clear();
            connection_.Close();
            throw;
        }
        logResponse();
        if (!body.reusable) connection_.Close();
        if (success) {
            Keep(body, response);
            return false;
        }
        response.body.clear();
        if (redirect) return true;
        throw Error(head.statusLine);
    }

    // What the caller needs to judge the final body.
    static void Keep(const BodyResult& body, HttpResponse& response) {
        response.framing = body.framing;
        response.announced = body.announced;
        response.complete = body.complete;
    }

    // Sends the request and reads the response's head, over the kept
    // connection when it still serves the same host and port. A kept
    // connection that the server dropped meanwhile, before any byte of the
    // reply, is replaced once.
    HttpResponseReader Exchange(const HttpUrl& url, const std::string& request,
                                ResponseHead& head) {
        const std::string peer = url.host + ":" + url.PortOrDefault();
        for (;;) {
            // After a replacement the connection is a fresh one, so this
            // retries at most once.
            const bool reused =
                connection_.IsOpen() && connection_.Peer() == peer && connection_.Reusable();
            if (!reused) connection_.Open(url.host, url.PortOrDefault());
            HttpResponseReader reader(connection_, events_);
            try {
                connection_.Send(request);
                connection_.Enter(ResponsePart::Head);
                if (reader.ReadHead(head)) return reader;
            } catch (const Error& e) {
                connection_.Close();
                if (!reused || reader.BytesReceived() > 0 || !ClosedBeforeReply(e.what())) throw;
                continue;
            }
            connection_.Close();
            if (!reused) throw Error(kConnectionClosedGracefully);
        }
    }

    HttpEvents events_;
    CookieJar cookies_;
    std::unique_ptr<HttpTransport> owned_;
    HttpTransport& connection_;
};

HttpClient::HttpClient(HttpEvents events)
    : impl_(std::make_unique<Impl>(std::move(events), nullptr)) {}

HttpClient::HttpClient(HttpEvents events, std::unique_ptr<HttpTransport> transport)
    : impl_(std::make_unique<Impl>(std::move(events), std::move(transport))) {}

HttpClient::~HttpClient() = default;

void HttpClient::Get(const HttpUrl& url, HttpResponse& response) {
    struct Busy {
        bool& flag;
        ~Busy() { flag = false; }
    } busy{busy_};
    busy_ = true;
    impl_->Get(url, response);
}

void HttpClient::Get(const std::string& encodedUrl, HttpResponse& response) {
    Get(ParseHttpUrl(encodedUrl), response);
}

void HttpClient::Stop() {
    impl_->Stop();
}

}  // namespace pellinor

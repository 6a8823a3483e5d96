// The GET of the download: redirects, cookies, kept-open connections and the
// error texts, over the connection and the response reader of http/.
#include "transfer/HttpClient.h"

#include <chrono>
#include <ctime>
#include <map>
#include <thread>

#include "http/HttpConnection.h"
#include "http/HttpResponseReader.h"
#include "http/RequestBounds.h"
#include "http/SocketErrors.h"
#include "http/TlsErrors.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "platform/Error.h"
#include "platform/SocketErrorNumbers.h"
#include "text/TextRules.h"
#include "transfer/Cookies.h"
#include "transfer/HttpUrl.h"
#include "transfer/ProxyAuth.h"
#include "transfer/ProxyChoice.h"
#include "transfer/RequestLines.h"
#include "transfer/ResumableFetch.h"
#include "transfer/TransferLog.h"
#include "transfer/UrlEncode.h"

namespace pellinor {
namespace {

// The most requests one GET makes, its redirects and a stale connection's
// second try included: browsers give up after about twenty redirects, and a
// download server needs one or two; past this a loop is what holds it.
constexpr int kMaxRequests = 15;

// A kept connection that the server dropped as idle was closed before the
// request reached it, or is closed as it arrives: the close or reset comes
// back within a round trip, well under a second even on a satellite link.
// One that comes later is an answer to the request (a server that fell
// silent, then gave up), and sending it again would double the wait.
constexpr std::chrono::milliseconds kStaleCloseWithin{1000};

// A response with a Location leads on, whatever its status. A 3xx without
// one leads nowhere: it is shown with its status line like any failure
// (following it would fetch the current folder's page in its place).
bool IsRedirect(const ResponseHead& head) {
    return !head.Header("Location").empty();
}

// Only a connection that closed before any byte of the reply, and at once
// (kStaleCloseWithin), may take the request again: the server dropped a
// kept connection it no longer wanted. A server that fell silent (or was
// stopped) has the request already, and a second one would double the wait
// and the request.
bool ClosedBeforeReply(const std::string& error) {
    return error == kConnectionClosedGracefully ||
           error == SocketErrorMessage(kConnectionAbortedError) ||
           error == SocketErrorMessage(kConnectionResetError);
}

// Only a plain 200 carries the whole file, and a 206 only as the answer to
// the range asked for, of the file the bytes held came from (the same
// strong validator: a cache that ignores If-Range sends a piece of the file
// as it is now) and continuing exactly where they stop: any other 206 is a
// piece of some file, and 201, 203 and the rest answer other questions. Any
// of them is shown as the server's status line, like a 404.
bool IsSuccess(const ResponseHead& head, const ResumePoint* resume) {
    return head.status == 200 ||
           (resume && head.status == 206 && !resume->validator.empty() &&
            StrongValidator(head.headers) == resume->validator &&
            ContinuesAt(head.Header("Content-Range"), resume->From(), resume->total));
}

// Checked before any name lookup: https needs the system's TLS.
void CheckProtocol(const HttpUrl& url, bool canSpeakTls) {
    if (url.Secure()) {
        if (!canSpeakTls) throw Error(kIoHandlerNotValid);
        return;
    }
    if (!SameTextAscii(url.protocol, "http")) throw Error(kUnknownProtocol);
}

// A port no connection can use is refused as Windows refuses a connect to
// port 0 (10049, "Cannot assign requested address."): the resolver would
// take 101563 as 36027 and 65536 as 0, and the request would go to a port
// the address never named. An IPv6 literal is said to be one plainly: the
// resolver would call it a host it cannot find. Checked before any lookup.
constexpr int kAddressNotAvailable = 10049;
constexpr unsigned long kHighestPort = 65535;

void CheckHostAndPort(const std::string& host, const std::string& port) {
    if (!host.empty() && host[0] == '[') throw Error(kIpv6NotSupported);
    const bool digits = !port.empty() && port.size() <= 5 &&
                        port.find_first_not_of("0123456789") == std::string::npos;
    const unsigned long number = digits ? std::stoul(port) : 0;
    if (number < 1 || number > kHighestPort) throw Error(SocketErrorMessage(kAddressNotAvailable));
}

// A Location is followed as the server wrote it, except for bytes that
// cannot stand in a request line.
std::string Printable(const std::string& location) {
    return PercentEscape(location, [](unsigned char c) { return c <= 32 || c >= 127; });
}

// The user's error names the proxy when it is the proxy that cannot be
// reached: the download's own server may be perfectly well.
[[noreturn]] void RaiseForProxy(const Error& e, const ProxyEndpoint& proxy) {
    throw Error(std::string(e.what()) + "\r\nProxy: " + proxy.Text());
}

// What one exchange asks of the loop in Get.
enum class Next { Done, Redirect, SignIn };

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
          connection_(*owned_) {
        // The window's progress counts the bytes held before a resumed
        // body, so that a resume never sends it back to 0.
        progress_ = events_;
        progress_.workBegin = [this](int32_t max) {
            if (events_.workBegin) events_.workBegin(Shifted(max));
        };
        progress_.work = [this](int32_t count) {
            if (events_.work) events_.work(Shifted(count));
        };
    }

    void Get(HttpUrl url, HttpResponse& response, const ResumePoint* resume) {
        response = HttpResponse();
        resume_ = resume;
        // A resume is a try of the download under way: its time goes on.
        // The next file of a command's chain goes on with its time too.
        if (!continuing_ && (!resume || resume->opensDownload)) connection_.BeginDownload();
        bool decided = false;
        ProxyEndpoint proxy;
        for (int requests = 1;; ++requests) {
            response.url = url.Text();
            CheckProtocol(url, connection_.CanSpeakTls());
            // Once for each address: a redirect may lead where the user's
            // settings choose another way.
            if (!decided) proxy = chooser_ ? chooser_(url) : ProxyEndpoint();
            decided = true;
            response.proxy = proxy.Text();
            ResponseHead head;
            const Next next = Request(url, proxy, response, head);
            if (next == Next::Done) return;
            // The limit reached: the GET ends quietly with nothing.
            if (requests >= kMaxRequests) return;
            if (next == Next::Redirect) {
                const HttpUrl target = ResolveLocation(url, Printable(head.Header("Location")));
                if (url.Secure() && !target.Secure()) {
                    LogEvent("redirect refused: https to " + AddressForLog(target.Text()));
                    throw Error(InBothLanguages(TextId::TlsDowngradeRefused));
                }
                url = target;
                decided = false;
            }
        }
    }

    void Stop() {
        stopped_ = true;
        connection_.Stop();
    }

    void Pause(std::chrono::milliseconds pause) {
        const auto end = std::chrono::steady_clock::now() + pause;
        for (;;) {
            if (stopped_) throw RequestStopped();
            const auto left = end - std::chrono::steady_clock::now();
            if (left <= std::chrono::steady_clock::duration::zero()) return;
            std::this_thread::sleep_for(
                std::min<std::chrono::steady_clock::duration>(left, kReadPumpInterval));
            if (events_.processMessages) events_.processMessages();
        }
    }
    void UseTlsSessions(TlsSessions* sessions) { connection_.UseTlsSessions(sessions); }

    std::function<ProxyEndpoint(const HttpUrl&)> chooser_;
    ScratchFile* scratch_ = nullptr;
    bool continuing_ = false;

  private:
    // What a response is to the request: the file (or the rest of it), a
    // redirect, a proxy asking for a sign-in, or none of them.
    struct Verdict {
        bool proxyAsks = false;
        bool redirect = false;
        bool success = false;
    };

    // One request and its response. A redirect's body, and that of a
    // proxy's 407 the user signs in to, is thrown away and the buffer left
    // empty.
    Next Request(const HttpUrl& url, const ProxyEndpoint& proxy, HttpResponse& response,
                 ResponseHead& head) {
        cookies_.DropExpired(std::time(nullptr));
        const auto signIn = signIns_.find(proxy.Text());
        // Inside a tunnel the proxy sees no request: its sign-in went with
        // the CONNECT.
        const bool plainViaProxy = !proxy.Direct() && !url.Secure();
        const bool signedIn = plainViaProxy && signIn != signIns_.end();
        const std::string request =
            RequestBytes(url, cookies_.HeaderFor(url), plainViaProxy,
                         signedIn ? BasicAuthorization(signIn->second) : std::string(),
                         resume_ ? RangeLines(*resume_) : std::string());
        shift_ = 0;
        HttpResponseReader reader = Exchange(url, proxy, request, head);
        TakeHead(url, head, response);
        Verdict verdict;
        // A 407 comes from the proxy, never from the server behind it (nor
        // from inside a tunnel, where only the server speaks).
        verdict.proxyAsks = plainViaProxy && head.status == 407;
        verdict.redirect = !verdict.proxyAsks && IsRedirect(head);
        verdict.success = !verdict.redirect && IsSuccess(head, resume_);
        const uint64_t before = StartBody(url, head, verdict, response);
        BodyResult body;
        const bool cut = ReadBody(url, proxy, head, verdict, reader, before, body, response);
        if (cut || !body.reusable) connection_.Close();
        if (verdict.success) {
            Keep(body, before, response);
            return Next::Done;
        }
        response.body.clear();
        if (verdict.redirect) return Next::Redirect;
        if (verdict.proxyAsks && SignIn(proxy, head, signedIn)) return Next::SignIn;
        throw Error(head.statusLine);
    }

    // The response's head as the caller sees it, and the cookies it sets.
    void TakeHead(const HttpUrl& url, const ResponseHead& head, HttpResponse& response) {
        response.statusLine = head.statusLine;
        response.status = head.status;
        response.headers = head.headers;
        response.tls = connection_.TlsDescription();
        cookies_.StoreAll(head.Headers("Set-Cookie"), url, std::time(nullptr));
    }

    // Where the body goes: the piece that continues the bytes held goes on
    // after them; any other body is the file from its start. Returns the
    // bytes already held before it.
    uint64_t StartBody(const HttpUrl& url, const ResponseHead& head, const Verdict& verdict,
                       HttpResponse& response) {
        response.body.clear();
        response.spilled = 0;
        if (!verdict.success && !verdict.redirect && head.status == 206) {
            // A piece of another file is not read: the file is asked again
            // from its start, and the rest of this one would only delay it.
            LogEvent(ResponseLogLine(url.Text(), head.statusLine, BodyFraming::None, 0, 0, false) +
                     " refused=piece");
            connection_.Close();
            throw Error(head.statusLine);
        }
        if (verdict.success && head.status == 206) {
            response.body.swap(*resume_->held);
            response.spilled = resume_->spilled;
            shift_ = response.BodySize();
        } else if (verdict.success && scratch_) {
            scratch_->Clear();
        }
        return shift_;
    }

    // Reads the body into the response when it is the file, else throws it
    // away; logs the response whatever happens. True when a thrown-away body
    // was given up before its end.
    bool ReadBody(const HttpUrl& url, const ProxyEndpoint& proxy, const ResponseHead& head,
                  const Verdict& verdict, HttpResponseReader& reader, uint64_t before,
                  BodyResult& body, HttpResponse& response) {
        // Every response in the support log: a redirect's, a proxy's and a failed one's too.
        const auto logResponse = [&] {
            LogEvent(ResponseLogLine(url.Text(), head.statusLine, body.framing, body.announced,
                                     reader.BodyBytesRead(), body.complete) +
                     " proxy=" + (proxy.Direct() ? std::string("direct") : proxy.Text()));
        };
        // A body that is only thrown away (a redirect's, a proxy's 407) is
        // bounded in total time; the file's own body by its rate.
        const bool thrownAway = verdict.redirect || verdict.proxyAsks;
        connection_.Enter(thrownAway ? ResponsePart::RedirectBody : ResponsePart::Body);
        bool cut = false;
        const auto failed = [&] {
            logResponse();
            if (verdict.success) Keep(body, before, response);
            if (!verdict.success) response.body.clear();
            connection_.Close();
        };
        try {
            reader.ReadBody(head, verdict.success ? &response.body : nullptr, body,
                            verdict.success ? scratch_ : nullptr);
        } catch (const RedirectBodyCut&) {
            // kRedirectBodyTimeLimit passed: the rest of a body that is only
            // thrown away is not waited for.
            cut = true;
        } catch (const Error& error) {
            // Nothing of a thrown-away body is kept, so its size bounds
            // nothing: one announced or sent past kMaxBodyBytes is given up
            // as one that outlasts its time, whichever of the two a fast or
            // a slow line reaches first.
            if (!thrownAway || std::string(error.what()) != kBodyTooLarge) {
                failed();
                throw;
            }
            cut = true;
        } catch (...) {
            failed();
            throw;
        }
        logResponse();
        return cut;
    }

    // Asks the user for the proxy's Basic sign-in; kept in memory for the
    // rest of the run. A sign-in the proxy refused is forgotten, and the
    // 407 ends the GET, as any other status does: asking again and again
    // would hold the upgrade in a loop of boxes.
    bool SignIn(const ProxyEndpoint& proxy, const ResponseHead& head, bool refused) {
        if (refused) {
            signIns_.erase(proxy.Text());
            return false;
        }
        if (!events_.askProxyCredentials || !OffersBasic(head.Headers("Proxy-Authenticate"))) {
            return false;
        }
        ProxyCredentials credentials;
        if (!events_.askProxyCredentials(proxy.Text(), credentials)) return false;
        if (!UsableCredentials(credentials)) return false;
        signIns_[proxy.Text()] = credentials;
        return true;
    }

    // What the caller needs to judge the final body, which begins with the
    // before bytes held from earlier tries.
    void Keep(const BodyResult& body, uint64_t before, HttpResponse& response) const {
        if (scratch_) response.spilled = scratch_->Size();
        response.framing = body.framing;
        response.announced = before + body.announced;
        response.complete = body.complete;
    }

    // Sends the request and reads the response's head, over the kept
    // connection when it still serves the same host and port. A kept
    // connection that the server dropped meanwhile, before any byte of the
    // reply, is replaced once. Through a proxy, the connection to the proxy
    // is kept for every address it carries.
    HttpResponseReader Exchange(const HttpUrl& url, const ProxyEndpoint& proxy,
                                const std::string& request, ResponseHead& head) {
        const std::string host = proxy.Direct() ? url.host : proxy.host;
        const std::string port = proxy.Direct() ? url.PortOrDefault() : proxy.port;
        const std::string peer = host + ":" + port;
        // The server a TLS session must be with; none for http.
        const std::string secureTo = url.Secure() ? url.host + ":" + url.PortOrDefault() : "";
        if (!proxy.Direct() && url.Secure()) CheckHostAndPort(url.host, url.PortOrDefault());
        try {
            CheckHostAndPort(host, port);
        } catch (const Error& e) {
            if (proxy.Direct()) throw;
            RaiseForProxy(e, proxy);
        }
        for (;;) {
            // After a replacement the connection is a fresh one, so this
            // retries at most once.
            const bool reused = connection_.IsOpen() && connection_.Peer() == peer &&
                                secureTo_ == secureTo && connection_.Reusable();
            if (!reused) Connect(url, proxy, host, port, secureTo);
            HttpResponseReader reader(connection_, progress_);
            const auto asked = std::chrono::steady_clock::now();
            const auto atOnce = [&asked] {
                return std::chrono::steady_clock::now() - asked <= kStaleCloseWithin;
            };
            try {
                connection_.Send(request);
                connection_.Enter(ResponsePart::Head);
                if (reader.ReadHead(head)) return reader;
            } catch (const Error& e) {
                connection_.Close();
                if (!reused || reader.BytesReceived() > 0 || !ClosedBeforeReply(e.what()) ||
                    !atOnce())
                    throw;
                continue;
            }
            connection_.Close();
            if (!reused || !atOnce()) throw Error(kConnectionClosedGracefully);
        }
    }

    // Opens a connection to host:port (the server, or the proxy) and, for
    // https, the TLS session with the server: through a proxy inside the
    // tunnel a CONNECT opens.
    void Connect(const HttpUrl& url, const ProxyEndpoint& proxy, const std::string& host,
                 const std::string& port, const std::string& secureTo) {
        secureTo_.clear();
        for (;;) {
            try {
                connection_.Open(host, port);
            } catch (const Error& e) {
                if (proxy.Direct()) throw;
                RaiseForProxy(e, proxy);
            }
            if (secureTo.empty()) return;
            if (proxy.Direct() || OpenTunnel(url, proxy)) break;
        }
        connection_.StartTls(url.host);
        secureTo_ = secureTo;
        LogEvent("tls " + secureTo + " " + connection_.TlsDescription());
    }

    // Asks the proxy for a tunnel to the https server. True once it stands;
    // false when the proxy asked for a sign-in that the user gave, so that
    // the CONNECT goes again on a new connection. A refusal raises the
    // proxy's status line, as any failed request does.
    bool OpenTunnel(const HttpUrl& url, const ProxyEndpoint& proxy) {
        const auto signIn = signIns_.find(proxy.Text());
        const bool signedIn = signIn != signIns_.end();
        connection_.Send(
            ConnectBytes(url, signedIn ? BasicAuthorization(signIn->second) : std::string()));
        connection_.Enter(ResponsePart::Head);
        HttpResponseReader reader(connection_, events_);
        ResponseHead head;
        if (!reader.ReadHead(head)) {
            connection_.Close();
            throw Error(kConnectionClosedGracefully);
        }
        LogEvent("tunnel " + url.host + ":" + url.PortOrDefault() +
                 " status=" + Quoted(head.statusLine) + " proxy=" + proxy.Text());
        if (head.status >= 200 && head.status < 300) {
            // A proxy speaks no more once the tunnel stands: bytes read ahead
            // would be taken for the server's.
            if (reader.HasUnreadBytes()) {
                connection_.Close();
                throw Error(BrokenReplyText(kBrokenStatusLine));
            }
            return true;
        }
        connection_.Close();
        if (head.status == 407 && SignIn(proxy, head, signedIn)) return false;
        throw Error(head.statusLine);
    }

    // A count of the body's progress, shifted by the bytes held before it.
    int32_t Shifted(int32_t count) const {
        return static_cast<int32_t>(static_cast<uint32_t>(count) + static_cast<uint32_t>(shift_));
    }

    HttpEvents events_;
    HttpEvents progress_;  // events_ with the body's counts shifted
    const ResumePoint* resume_ = nullptr;
    uint64_t shift_ = 0;  // bytes held before the body being read
    bool stopped_ = false;
    CookieJar cookies_;
    // The server the open connection's TLS session is with; empty for a
    // plain connection.
    std::string secureTo_;
    // The sign-ins the user gave, by proxy; in memory only, for this run.
    std::map<std::string, ProxyCredentials> signIns_;
    std::unique_ptr<HttpTransport> owned_;
    HttpTransport& connection_;
};

HttpClient::HttpClient(HttpEvents events)
    : impl_(std::make_unique<Impl>(std::move(events), nullptr)) {}

HttpClient::HttpClient(HttpEvents events, std::unique_ptr<HttpTransport> transport)
    : impl_(std::make_unique<Impl>(std::move(events), std::move(transport))) {}

HttpClient::~HttpClient() = default;

void HttpClient::Get(const HttpUrl& url, HttpResponse& response, const ResumePoint* resume) {
    struct Busy {
        bool& flag;
        uint64_t& ended;
        ~Busy() {
            flag = false;
            ++ended;
        }
    } busy{busy_, getsEnded_};
    busy_ = true;
    impl_->Get(url, response, resume);
}

void HttpClient::Get(const std::string& encodedUrl, HttpResponse& response) {
    Get(ParseHttpUrl(encodedUrl), response);
}

void HttpClient::Stop() {
    impl_->Stop();
}

void HttpClient::Pause(std::chrono::milliseconds pause) {
    struct Busy {
        bool& flag;
        ~Busy() { flag = false; }
    } busy{busy_};
    busy_ = true;
    impl_->Pause(pause);
}

void HttpClient::UseTlsSessions(TlsSessions* sessions) {
    impl_->UseTlsSessions(sessions);
}

void HttpClient::ContinueDownload(bool on) {
    impl_->continuing_ = on;
}

void HttpClient::SpillBodiesTo(ScratchFile* scratch) {
    impl_->scratch_ = scratch;
}

void HttpClient::SetProxyChooser(std::function<ProxyEndpoint(const HttpUrl& url)> chooser) {
    impl_->chooser_ = std::move(chooser);
}

}  // namespace pellinor

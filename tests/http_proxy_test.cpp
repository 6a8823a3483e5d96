// The HTTP client through a proxy, a scripted server on 127.0.0.1 standing
// in for it: the absolute-form request, one kept connection for every
// address, the proxy decided again for a redirect's target, the Basic
// sign-in and its refusal, and a proxy that cannot be reached.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Error.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/HttpClient.h"
#include "transfer/HttpUrl.h"
#include "transfer/ProxyAuth.h"
#include "transfer/ProxyChoice.h"

namespace pellinor {
namespace {

std::string Ok(const std::string& body) {
    return HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body;
}

const std::string kProxyAsks =
    HttpHead("HTTP/1.1 407 Proxy Authentication Required",
             {"Proxy-Authenticate: Basic realm=\"hotel\"", "Content-Length: 5"}) +
    "login";

// A client that sends everything through proxy, answers a sign-in with
// answer (none: the user declines) and writes down what it was asked.
struct ProxiedClient {
    ProxyEndpoint proxy;
    std::vector<std::string> decided;  // the addresses the proxy was decided for
    std::vector<std::string> asked;    // the proxies that asked for a sign-in
    const ProxyCredentials* answer = nullptr;
    HttpClient client{HttpEvents{nullptr, nullptr, nullptr,
                                 [this](const std::string& p, ProxyCredentials& credentials) {
                                     asked.push_back(p);
                                     if (answer != nullptr) credentials = *answer;
                                     return answer != nullptr;
                                 }}};

    explicit ProxiedClient(const ScriptedHttpServer& server)
        : proxy{"127.0.0.1", std::to_string(server.Port())} {
        client.SetProxyChooser([this](const HttpUrl& url) {
            decided.push_back(url.Text());
            return proxy;
        });
    }
    std::string Get(const std::string& url, HttpResponse& response) {
        try {
            client.Get(url, response);
        } catch (const Error& e) {
            return e.what();
        }
        return std::string();
    }
};

std::string Expected(const std::string& absolute, const std::string& host,
                     const std::string& authorization = "") {
    std::string r = "GET " + absolute + " HTTP/1.1\r\n";
    r += "Content-Type: text/html\r\n";
    r += "Host: " + host + "\r\n";
    r += "Accept: text/html, */*\r\n";
    r += "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!authorization.empty()) r += "Proxy-Authorization: " + authorization + "\r\n";
    return r + "\r\n";
}

TEST(HttpClientProxy, AbsoluteFormOnOneKeptConnectionDecidedAgainForTheRedirect) {
    ScriptedHttpServer proxy;
    proxy.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 302 Found",
                 {"Location: http://mirror.example:8080/V9/Tessaron.Exe", "Content-Length: 0"})));
    proxy.Enqueue(ScriptedReply(Ok("new program")));
    ProxiedClient c(proxy);
    HttpResponse response;
    EXPECT_EQ(c.Get("http://dl.example/V9/02/Tessaron.Exe?x=1", response), "");
    EXPECT_EQ(response.body, "new program");
    EXPECT_EQ(response.proxy, "127.0.0.1:" + std::to_string(proxy.Port()));
    EXPECT_EQ(c.decided, (std::vector<std::string>{"http://dl.example/V9/02/Tessaron.Exe?x=1",
                                                   "http://mirror.example:8080/V9/Tessaron.Exe"}));
    EXPECT_EQ(proxy.Requests(),
              (std::vector<std::string>{
                  Expected("http://dl.example/V9/02/Tessaron.Exe?x=1", "dl.example"),
                  Expected("http://mirror.example:8080/V9/Tessaron.Exe", "mirror.example:8080")}));
    EXPECT_EQ(proxy.Connections(), 1);
}

TEST(HttpClientProxy, BasicSignInAnsweredRefusedOrDeclined) {
    const ProxyCredentials good{"hotel", "s3cret:x"};
    const ProxyCredentials longest{std::string(kMaxProxyCredential, 'u'),
                                   std::string(kMaxProxyCredential, 'p')};
    const ProxyCredentials tooLong{std::string(kMaxProxyCredential + 1, 'u'), "p"};
    const std::string basicHeader = BasicAuthorization(good);
    struct Row {
        const char* what;
        std::vector<std::string> replies;
        const ProxyCredentials* answer;
        std::string error;    // empty: the body arrived
        size_t requests;      // as the proxy saw them
        bool secondSignedIn;  // the second request carried the sign-in
    };
    const std::vector<Row> rows = {
        {"signed in", {kProxyAsks, Ok("new program")}, &good, "", 2, true},
        {"the longest name and password", {kProxyAsks, Ok("new program")}, &longest, "", 2, true},
        {"a name over the limit is not sent",
         {kProxyAsks},
         &tooLong,
         "HTTP/1.1 407 Proxy Authentication Required",
         1,
         false},
        {"wrong password: the 407 ends it",
         {kProxyAsks, kProxyAsks},
         &good,
         "HTTP/1.1 407 Proxy Authentication Required",
         2,
         true},
        {"declined", {kProxyAsks}, nullptr, "HTTP/1.1 407 Proxy Authentication Required", 1, false},
        {"no Basic offered",
         {HttpHead(
             "HTTP/1.1 407 Proxy Authentication Required",
             {"Proxy-Authenticate: Negotiate", "Proxy-Authenticate: NTLM", "Content-Length: 0"})},
         &good,
         "HTTP/1.1 407 Proxy Authentication Required",
         1,
         false},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer proxy;
        for (const std::string& reply : row.replies) proxy.Enqueue(ScriptedReply(reply));
        ProxiedClient c(proxy);
        c.answer = row.answer;
        HttpResponse response;
        EXPECT_EQ(c.Get("http://dl.example/Tessaron.Exe", response), row.error) << row.what;
        EXPECT_EQ(response.body, row.error.empty() ? "new program" : "") << row.what;
        const std::vector<std::string> requests = proxy.Requests();
        ASSERT_EQ(requests.size(), row.requests) << row.what;
        EXPECT_EQ(requests[0], Expected("http://dl.example/Tessaron.Exe", "dl.example"))
            << row.what;
        if (row.requests > 1) {
            EXPECT_EQ(requests[1], Expected("http://dl.example/Tessaron.Exe", "dl.example",
                                            BasicAuthorization(*row.answer)))
                << row.what;
            EXPECT_EQ(proxy.Connections(), 1) << row.what;
        }
        // The password never reaches an error text.
        EXPECT_EQ(row.error.find(row.answer ? row.answer->password : "\x01"), std::string::npos);
    }
    EXPECT_EQ(basicHeader, "Basic aG90ZWw6czNjcmV0Ong=");
}

TEST(HttpClientProxy, ASignInIsKeptForTheRunAndARefusedOneForgotten) {
    ScriptedHttpServer proxy;
    const ProxyCredentials good{"hotel", "pw"};
    for (const std::string& reply :
         {kProxyAsks, Ok("one"), Ok("two"), kProxyAsks, kProxyAsks, kProxyAsks}) {
        proxy.Enqueue(ScriptedReply(reply));
    }
    ProxiedClient c(proxy);
    c.answer = &good;
    HttpResponse response;
    EXPECT_EQ(c.Get("http://dl.example/a", response), "");
    EXPECT_EQ(c.Get("http://dl.example/b", response), "");
    EXPECT_EQ(c.asked.size(), 1u) << "the second GET goes signed in without asking";
    EXPECT_EQ(c.Get("http://dl.example/c", response), "HTTP/1.1 407 Proxy Authentication Required");
    EXPECT_EQ(c.Get("http://dl.example/d", response), "HTTP/1.1 407 Proxy Authentication Required");
    EXPECT_EQ(c.asked.size(), 2u) << "asked again only after the refusal";
}

TEST(HttpClientProxy, AProxyThatCannotBeReachedIsNamed) {
    ScriptedHttpServer gone;
    ProxiedClient c(gone);
    gone.Stop();
    HttpResponse response;
    EXPECT_EQ(c.Get("http://dl.example/Tessaron.Exe", response),
              "Socket Error # 10061\r\nConnection refused.\r\nProxy: 127.0.0.1:" +
                  std::to_string(gone.Port()));
    EXPECT_EQ(response.proxy, "127.0.0.1:" + std::to_string(gone.Port()));
}

}  // namespace
}  // namespace pellinor

// https in the client, with a TLS that encrypts nothing in place of the
// system's: its handshake announces itself to the scripted server, so the
// order of tunnel, handshake and request shows, and it fails on demand.
// The system's own TLS and certificate checks are the Wine tests' part.
#include <gtest/gtest.h>

#include <boost/asio/write.hpp>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "http/SocketErrors.h"
#include "http/TlsErrors.h"
#include "platform/TlsSessions.h"
#include "support/GetOrError.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/HttpClient.h"
#include "transfer/HttpUrl.h"
#include "transfer/ProxyAuth.h"
#include "transfer/ProxyChoice.h"

namespace pellinor {
namespace {

namespace asio = boost::asio;

// "TLS-HELLO <server name>", as a request head the scripted server records.
std::string Hello(const std::string& serverName) {
    return "TLS-HELLO " + serverName + "\r\n\r\n";
}

class PlainSession : public TlsSession {
  public:
    PlainSession(asio::ip::tcp::socket& socket, std::string hello, uint32_t failWith)
        : socket_(socket), hello_(std::move(hello)), failWith_(failWith) {}
    void AsyncHandshake(Done done) override {
        asio::async_write(socket_, asio::buffer(hello_),
                          [this, done](const boost::system::error_code& e, size_t) {
                              done(e ? e
                                     : boost::system::error_code(static_cast<int>(failWith_),
                                                                 boost::system::system_category()),
                                   0);
                          });
    }
    void AsyncReadSome(asio::mutable_buffer buffer, Done done) override {
        socket_.async_read_some(buffer, done);
    }
    void AsyncWriteSome(asio::const_buffer buffer, Done done) override {
        socket_.async_write_some(buffer, done);
    }
    std::string Description() override { return "plain"; }

  private:
    asio::ip::tcp::socket& socket_;
    std::string hello_;
    uint32_t failWith_;
};

struct PlainSessions : TlsSessions {
    uint32_t failWith = 0;  // the system's number the handshake ends with; 0 succeeds
    std::unique_ptr<TlsSession> Begin(asio::ip::tcp::socket& socket,
                                      const std::string& serverName) override {
        return std::make_unique<PlainSession>(socket, Hello(serverName), failWith);
    }
};

std::string Ok(const std::string& body) {
    return HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body;
}

std::string Get(const std::string& target, const std::string& host) {
    return "GET " + target + " HTTP/1.1\r\nContent-Type: text/html\r\nHost: " + host +
           "\r\nAccept: text/html, */*\r\nUser-Agent: Mozilla/3.0 (compatible; Indy "
           "Library)\r\n\r\n";
}

std::string Connect(const std::string& authority, const std::string& authorization = "") {
    std::string r = "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority +
                    "\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n";
    if (!authorization.empty()) r += "Proxy-Authorization: " + authorization + "\r\n";
    return r + "\r\n";
}

const std::string kTunnel = "HTTP/1.1 200 Connection established\r\n\r\n";
const std::string kProxyAsks =
    HttpHead("HTTP/1.1 407 Proxy Authentication Required",
             {"Proxy-Authenticate: Basic realm=\"hotel\"", "Content-Length: 0"});

TEST(HttpClientTls, TunnelHandshakeAndRequestInTheirOrder) {
    const ProxyCredentials signIn{"hotel", "pw"};
    const std::string untrusted = "The server's certificate was not issued by an authority";
    struct Row {
        const char* what;
        bool viaProxy;
        std::vector<std::string> replies;
        uint32_t failWith;
        std::string error;  // the start of the error; empty: the body arrived
        std::vector<std::string> requests;
        int connections;
    };
    // Direct rows ask 127.0.0.1:<port>; "{h}" stands for that authority.
    const std::vector<Row> rows = {
        {"direct", false, {"", Ok("new")}, 0, "", {Hello("127.0.0.1"), Get("/V9/a", "{h}")}, 1},
        {"through a tunnel, the request as to the server itself",
         true,
         {kTunnel, "", Ok("new")},
         0,
         "",
         {Connect("dl.example:443"), Hello("dl.example"), Get("/V9/a", "dl.example")},
         1},
        {"the tunnel asks for a sign-in, given on a new connection",
         true,
         {kProxyAsks, kTunnel, "", Ok("new")},
         0,
         "",
         {Connect("dl.example:443"), Connect("dl.example:443", BasicAuthorization(signIn)),
          Hello("dl.example"), Get("/V9/a", "dl.example")},
         2},
        {"the tunnel refused",
         true,
         {HttpHead("HTTP/1.1 403 Forbidden", {"Content-Length: 0"})},
         0,
         "HTTP/1.1 403 Forbidden",
         {Connect("dl.example:443")},
         1},
        {"the certificate refused: no request goes",
         false,
         {""},
         kCertUntrustedRoot,
         untrusted,
         {Hello("127.0.0.1")},
         1},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        for (const std::string& reply : row.replies) server.Enqueue(ScriptedReply(reply));
        PlainSessions tls;
        tls.failWith = row.failWith;
        HttpClient client(
            HttpEvents{nullptr, nullptr, nullptr, [&](const std::string&, ProxyCredentials& c) {
                           c = signIn;
                           return true;
                       }});
        client.UseTlsSessions(&tls);
        const std::string authority = "127.0.0.1:" + std::to_string(server.Port());
        if (row.viaProxy) {
            client.SetProxyChooser([&](const HttpUrl&) {
                return ProxyEndpoint{"127.0.0.1", std::to_string(server.Port())};
            });
        }
        HttpResponse response;
        const std::string error = GetOrError(
            client, row.viaProxy ? "https://dl.example/V9/a" : "https://" + authority + "/V9/a",
            response);
        EXPECT_EQ(error.substr(0, row.error.size()), row.error) << row.what << ": " << error;
        EXPECT_EQ(response.body, row.error.empty() ? "new" : "") << row.what;
        std::vector<std::string> expected = row.requests;
        for (std::string& r : expected) {
            const size_t at = r.find("{h}");
            if (at != std::string::npos) r.replace(at, 3, authority);
        }
        // A hello on a connection the client then closed may reach the
        // server's record a moment after the GET has ended.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (server.Requests().size() < expected.size() &&
               std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(server.Requests(), expected) << row.what;
        EXPECT_EQ(server.Connections(), row.connections) << row.what;
    }
}

TEST(HttpClientTls, NeverFromHttpsToHttpAndNeverWithoutTheSystemsTls) {
    ScriptedHttpServer server;
    server.Enqueue(ScriptedReply(""));
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 302 Found", {"Location: " + server.Url("/V9/a"), "Content-Length: 0"})));
    PlainSessions tls;
    HttpClient client(HttpEvents{});
    client.UseTlsSessions(&tls);
    HttpResponse response;
    const std::string https = "https://127.0.0.1:" + std::to_string(server.Port()) + "/V9/a";
    EXPECT_EQ(GetOrError(client, https, response), InBothLanguages(TextId::TlsDowngradeRefused));
    EXPECT_EQ(server.Requests().size(), 2u) << "the hello and the one request";

    HttpClient withoutTls(HttpEvents{});
    EXPECT_EQ(GetOrError(withoutTls, https, response), kIoHandlerNotValid);
    EXPECT_EQ(server.Connections(), 1) << "refused before any connection";
}

TEST(TlsErrorText, NamesTheFailureAndTheSystemsNumber) {
    const struct {
        uint32_t code;
        const char* begins;
    } rows[] = {
        {kCertUntrustedRoot, "The server's certificate was not issued by an authority"},
        {kCertChaining, "The server's certificate was not issued by an authority"},
        {kCertSignature, "The server's certificate was not issued by an authority"},
        {kTlsNoCommonAlgorithm, "The server and this PC have no TLS version or cipher in common"},
        {kCertNameMismatch, "The server's certificate is for another name"},
        {kCertExpired, "The server's certificate has expired"},
        {0x800B010C, "The server's certificate was refused."},  // revoked
        {0x80090326, "The secure (TLS) connection to the server failed."},
    };
    for (const auto& row : rows) {
        const std::string text =
            TlsErrorText({static_cast<int>(row.code), boost::system::system_category()});
        EXPECT_EQ(text.rfind(row.begins, 0), 0u) << text;
        char code[16];
        std::snprintf(code, sizeof code, "(0x%08X)", row.code);
        EXPECT_NE(text.find(code), std::string::npos) << text;
    }
    EXPECT_EQ(TlsErrorText(boost::asio::error::eof), kConnectionClosedGracefully);
}

}  // namespace
}  // namespace pellinor

// Servers that play the time bounds against each other, over the scripted
// server with bounds made short: the end of a body is seen whatever bound
// comes first, only body bytes keep a body within its rate, a silence is
// never taken for a stale connection, and one download ends in its time
// however many redirects it follows.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "http/HttpConnection.h"
#include "http/RequestBounds.h"
#include "http/SocketErrors.h"
#include "support/GetOrError.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/HttpClient.h"

namespace pellinor {
namespace {

using std::chrono::milliseconds;

// A silence limit far above every bound below, so that only a bound ends
// what the server does.
constexpr milliseconds kSilence{5000};

HttpClient ClientWith(const BoundLimits& limits) {
    return HttpClient(HttpEvents{},
                      std::make_unique<HttpConnection>([] {}, kSilence, limits, nullptr));
}

BoundLimits Limits(uint64_t rateBytes, milliseconds rateWindow, milliseconds download) {
    BoundLimits limits;
    limits.head = kSilence;
    limits.redirectBody = kSilence;
    limits.rateBytes = rateBytes;
    limits.rateWindow = rateWindow;
    limits.download = download;
    return limits;
}

// A stale length whose last announced bytes come just before the body's
// rate window closes, and the rest of the file after it: the quiet second
// that proves the end is waited for in full, whatever the rate bound says.
TEST(HostileTiming, ABodyIsWholeOnlyOnceItsEndIsSeenToBeItsEnd) {
    const std::string file(2000, 'f');
    const std::string head =
        HttpHead("HTTP/1.1 200 OK", {"Connection: close", "Content-Length: 2000"});
    struct Row {
        const char* what;
        std::string after;  // bytes sent 600 ms after the last announced one
        std::string error;
    } rows[] = {
        {"the rest follows after the rate window closed", std::string(500, 'r'),
         kMoreThanAnnounced},
        {"nothing follows: the close proves the end", "", ""},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        ScriptedReply reply(head + file.substr(0, 1950));
        reply.Then(file.substr(1950), milliseconds(700));  // under a block: no new window
        if (!row.after.empty()) reply.Then(row.after, milliseconds(600));
        server.Enqueue(reply.Finally(AfterReply::Close));
        HttpClient client = ClientWith(Limits(64, milliseconds(1000), kSilence * 10));
        HttpResponse response;
        EXPECT_EQ(GetOrError(client, server.Url("/stale"), response), row.error) << row.what;
        EXPECT_EQ(IsBodyWhole(response), row.error.empty()) << row.what;
    }
}

// Chunks of one body byte each, carried on long extensions: the wire is
// busy, the body is not.
TEST(HostileTiming, OnlyBodyBytesKeepABodyWithinItsRate) {
    struct Row {
        const char* what;
        std::string piece;
        size_t bodyPerPiece;
        std::string error;
    } rows[] = {
        {"one byte behind 200 bytes of extension", "1;" + std::string(200, 'e') + "\r\nx\r\n", 1,
         kReadTimeout},
        {"a hundred bytes of body", "64\r\n" + std::string(100, 'x') + "\r\n", 100, ""},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        ScriptedReply reply(HttpHead("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}));
        for (int i = 0; i < 30; ++i) reply.Then(row.piece, milliseconds(40));
        reply.Then("0\r\n\r\n");
        server.Enqueue(reply.Finally(AfterReply::Close));
        HttpClient client = ClientWith(Limits(64, milliseconds(400), kSilence * 10));
        HttpResponse response;
        EXPECT_EQ(GetOrError(client, server.Url("/padded"), response), row.error) << row.what;
        EXPECT_EQ(response.complete, row.error.empty()) << row.what;
        if (row.error.empty()) {
            EXPECT_EQ(response.body.size(), 30 * row.bodyPerPiece) << row.what;
        }
    }
}

// A kept connection closed after the request: sent again only when the
// close comes at once, as from a server that dropped the idle connection.
TEST(HostileTiming, ARequestIsSentAgainOnlyAfterACloseThatCameAtOnce) {
    const std::string file(3000, 'g');
    struct Row {
        const char* what;
        milliseconds silence;  // before the close of the first answer to /g
        std::string error;
        size_t requests;
    } rows[] = {
        {"a close at once: a stale connection", milliseconds(0), "", 3},
        {"a close after a silence: an answer", milliseconds(1500), kConnectionClosedGracefully, 2},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        server.Enqueue(
            ScriptedReply(HttpHead("HTTP/1.1 302 Found", {"Location: /g", "Content-Length: 0"})));
        ScriptedReply closed;
        if (row.silence.count() > 0) closed.Then("", row.silence);
        server.Enqueue(closed.Finally(AfterReply::Close));
        server.Enqueue(ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(file.size())}) +
            file));
        HttpClient client = ClientWith(BoundLimits());
        HttpResponse response;
        EXPECT_EQ(GetOrError(client, server.Url("/f"), response), row.error) << row.what;
        EXPECT_EQ(server.Requests().size(), row.requests) << row.what;
        EXPECT_EQ(IsBodyWhole(response), row.error.empty()) << row.what;
    }
}

// Fourteen redirects, each answered after a pause that every part's bound
// allows: the download as a whole ends at its own limit.
TEST(HostileTiming, OneDownloadEndsInItsTimeAcrossItsRedirects) {
    const std::string file(3000, 'd');
    struct Row {
        const char* what;
        milliseconds pause;  // before each answer
        std::string error;
    } rows[] = {
        {"each redirect answered after 150 ms", milliseconds(150), kDownloadTooSlow},
        {"each answered at once", milliseconds(0), ""},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        for (int n = 14; n > 0; --n) {
            ScriptedReply redirect;
            redirect.Then(HttpHead("HTTP/1.1 302 Found",
                                   {"Location: /r/" + std::to_string(n - 1), "Content-Length: 0"}),
                          row.pause);
            server.Enqueue(redirect);
        }
        server.Enqueue(ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(file.size())}) +
            file));
        HttpClient client = ClientWith(Limits(64, kSilence, milliseconds(1000)));
        HttpResponse response;
        EXPECT_EQ(GetOrError(client, server.Url("/r/14"), response), row.error) << row.what;
        EXPECT_EQ(IsBodyWhole(response), row.error.empty()) << row.what;
        if (!row.error.empty()) {
            EXPECT_LT(server.Requests().size(), 15u) << row.what;
        }
    }
}

}  // namespace
}  // namespace pellinor

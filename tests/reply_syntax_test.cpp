// DownloadOneFile against replies a strict HTTP/1.1 reading refuses or must
// judge with care: each row gives the result, the first words of the E0059
// box (empty: no box) and, through the result, whether the file was written.
#include <gtest/gtest.h>

#include <memory>

#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"
#include "transfer/HttpConnection.h"
#include "transfer/ReplyParser.h"
#include "transfer/SocketErrors.h"
#include "window/WindowDownload.h"

namespace pellinor {
namespace {

using std::chrono::milliseconds;

const std::string kDest = "C:\\Hotel\\Lock\\Tessaron.Exe.tmp";
// Short enough for a row that stalls, long enough for a loaded machine.
constexpr milliseconds kTestSilence{1500};

std::string Letters(size_t size) {
    std::string s(size, 'a');
    for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}

std::string Chunk(const std::string& data) {
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", data.size());
    return size + data + "\r\n";
}

struct Row {
    const char* what;
    ScriptedReply reply;
    int result;
    std::string box;
};

TEST(ReplySyntaxAndVerdicts, OnlyAReplyReadByTheBookGivesAWholeFile) {
    FakeWindow window;
    FakeFileSystem files;
    files.AddFolder("C:\\Hotel\\Lock\\");
    FakeSystemInfo clock;
    RepaintThrottle repaints{clock};
    int64_t fileSize = 0;
    HttpClient client{
        HttpEvents{[&](int32_t max) { ShowWorkBegin(window, repaints, fileSize, max); },
                   [&](int32_t n) { ShowWork(window, repaints, fileSize, n, false, "."); },
                   [&] { window.ProcessMessages(); }},
        std::make_unique<HttpConnection>([&] { window.ProcessMessages(); }, kTestSilence)};
    DownloadSite site{window, files, client, repaints};
    ScriptedHttpServer server;

    const std::string body = Letters(1536);
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::string length = "Content-Length: 1536\r\n";
    const std::string chunked = "Transfer-Encoding: chunked\r\n";
    auto with = [&](const std::string& head) { return ok + head + "\r\n" + body; };
    auto status = [&](const std::string& line) { return line + "\r\n" + length + "\r\n" + body; };
    auto chunks = [&](const std::string& line) {
        return ok + chunked + "\r\n" + line + "\r\n" + body + "\r\n0\r\n\r\n";
    };
    const std::string broken = BrokenReplyText(kBrokenStatusLine);
    auto closing = [](std::string bytes) {
        return ScriptedReply(std::move(bytes), AfterReply::Close);
    };
    std::vector<Row> rows = {
        // chunked counts as the one, exact and last coding only; any other
        // last coding runs to the close, which never proves a whole file
        {"chunked twice in a word", closing(with("Transfer-Encoding: chunkedchunked\r\n")), -1, ""},
        {"chunked inside a word", closing(with("Transfer-Encoding: xchunked\r\n")), -1, ""},
        {"chunked before another coding", closing(with("Transfer-Encoding: chunked, deflate\r\n")),
         -1, ""},
        {"a coding before chunked",
         closing(ok + "Transfer-Encoding: identity\r\n" + chunked + "\r\n" + Chunk(body) +
                 "0\r\n\r\n"),
         -59, BrokenReplyText("Transfer-Encoding: identity, chunked")},
        {"a coding after chunked", closing(with(chunked + "Transfer-Encoding: identity\r\n")), -59,
         BrokenReplyText(kBrokenTransferEncoding)},
        {"an encoding beside a length", closing(with("Transfer-Encoding: anything\r\n" + length)),
         -59, BrokenReplyText(kLengthBesideEncoding)},
        {"a length beside chunks", closing(with(length + chunked)), -59,
         BrokenReplyText(kLengthBesideEncoding)},
        // the status line is HTTP/1.x SP 3DIGIT SP reason
        {"HTP/1.1", closing(status("HTP/1.1 200 OK")), -59, broken},
        {"HTTP/01.1", closing(status("HTTP/01.1 200 OK")), -59, broken},
        {"HTTP/11.1", closing(status("HTTP/11.1 200 OK")), -59, broken},
        {"HTTP/1.01", closing(status("HTTP/1.01 200 OK")), -59, broken},
        {"HTTP/5.6", closing(status("HTTP/5.6 200 OK")), -59, broken},
        {"HTTPER/1.1", closing(status("HTTPER/1.1 200 OK")), -59, broken},
        {"a later minor version", closing(status("HTTP/1.7 200 OK")), 0, ""},
        {"HTTP/1.0", closing(status("HTTP/1.0 200 OK")), 0, ""},
        {"a bare CR hiding a second length",
         closing(ok + "X: y\r\rContent-Length: 4\r\nContent-Length: 1540\r\n\r\n" + body), -59,
         BrokenReplyText(kBrokenLineEnd)},
        {"a blank before the colon", closing(with("Content-Length : 1536\r\n")), -59,
         BrokenReplyText(kBrokenFieldName)},
        {"a blank inside a name", closing(with("Content Length: 1536\r\n")), -59,
         BrokenReplyText(kBrokenFieldName)},
        // a field folded onto more lines is joined, up to its bound
        {"a folded field at its bound",
         closing(with(length + "X: " + Letters(kLongestFoldedField - 2) + "\r\n y\r\n")), 0, ""},
        {"a folded field past its bound",
         closing(with(length + "X: " + Letters(kLongestFoldedField - 1) + "\r\n y\r\n")), -59,
         kFoldedFieldTooLong},
        // a length is digits only, and past the bound is the bound's text
        {"a signed length", closing(with("Content-Length: +1536\r\n")), -59,
         BrokenReplyText("Content-Length: +1536")},
        {"a hex length", closing(with("Content-Length: 0x600\r\n")), -59,
         BrokenReplyText("Content-Length: 0x600")},
        {"a length with letters after", closing(with("Content-Length: 1536abc\r\n")), -59,
         BrokenReplyText("Content-Length: 1536abc")},
        {"a length of 19 digits", closing(with("Content-Length: 1000000000000000000\r\n")), -59,
         kBodyTooLarge},
        {"a length of 25 digits", closing(with("Content-Length: 9999999999999999999999999\r\n")),
         -59, kBodyTooLarge},
        {"a list of one length", closing(with("Content-Length: 1536, 1536\r\n")), 0, ""},
        // a chunk's line is hex digits and extensions by their grammar
        {"blanks after a size", closing(chunks("600   ")), -59, kBrokenChunk},
        {"an empty extension", closing(chunks("600;")), -59, kBrokenChunk},
        {"an unbalanced quote", closing(chunks("600;a=\"b")), -59, kBrokenChunk},
        {"a negative size", closing(chunks("-600")), -59, kBrokenChunk},
        {"a hex prefix", closing(chunks("0x600")), -59, kBrokenChunk},
        {"a size of 2^64", closing(chunks("10000000000000000")), -59, kBrokenChunk},
        {"an extension by the grammar", closing(chunks("600; name = \"v;\\\"\"")), 0, ""},
        // verdicts
        {"a short last chunk",
         closing(ok + chunked + "\r\n" + Chunk(body.substr(0, 1000)) + Chunk(body.substr(1000)) +
                 "0\r\n\r\n"),
         0, ""},
        {"chunks of less than 1024 bytes in all",
         closing(ok + chunked + "\r\n" + Chunk(body.substr(0, 1000)) + "0\r\n\r\n"), -1, ""},
        {"the last chunk without its empty line",
         closing(ok + chunked + "\r\n" + Chunk(body) + "0\r\n"), -59, kConnectionClosedGracefully},
        {"a redirect without Location", closing("HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n"),
         -59, "HTTP/1.1 302 Found"},
        {"a length that lies, the rest right behind",
         closing(ok + "Connection: close\r\nContent-Length: 1000\r\n\r\n" + body), -59,
         kMoreThanAnnounced},
        {"a length that lies, the rest 200 ms later",
         closing(ok + "Connection: close\r\nContent-Length: 1024\r\n\r\n" + body.substr(0, 1024))
             .Then(body.substr(1024), milliseconds(200)),
         -59, kMoreThanAnnounced},
        {"a length that lies on a kept connection",
         ScriptedReply(ok + "Content-Length: 1024\r\n\r\n" + body), -59, kMoreThanAnnounced},
        {"chunks with bytes after their end",
         closing(ok + "Connection: close\r\n" + chunked + "\r\n" + Chunk(body) + "0\r\n\r\nHTTP"),
         -59, kMoreThanAnnounced},
        {"a closing reply whose server holds on",
         ScriptedReply(ok + "Connection: close\r\n" + length + "\r\n" + body, AfterReply::Hang), 0,
         ""},
        // a kept connection that falls silent is never asked twice
        {"a whole file on a kept connection", ScriptedReply(with(length)), 0, ""},
        {"silence on the kept connection", ScriptedReply(std::string(), AfterReply::Hang), -59,
         kReadTimeout},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.what);
        files.Remove(kDest);
        window.boxes.clear();
        server.Enqueue(std::move(row.reply));
        const std::string url = server.Url("/V9/02/Tessaron.Exe");
        const size_t requests = server.Requests().size();
        EXPECT_EQ(DownloadOneFile(site, url, kDest), row.result);
        EXPECT_EQ(server.Requests().size(), requests + 1);
        EXPECT_EQ(files.FileExists(kDest), row.result == 0);
        if (row.result == 0) EXPECT_EQ(files.Bytes(kDest), body);
        if (row.box.empty()) {
            EXPECT_TRUE(window.boxes.empty());
        } else {
            ASSERT_EQ(window.boxes.size(), 1u);
            EXPECT_EQ(window.boxes[0].text, row.box + "\n\n" + url + "\n" + kDest);
        }
    }
}

}  // namespace
}  // namespace pellinor

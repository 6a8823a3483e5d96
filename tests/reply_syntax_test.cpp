// The download against replies a strict HTTP/1.1 reading refuses or must
// judge with care: each row gives the step the download ends at and the
// first words of the E0059 box (empty: no box); only a download that is
// done writes the file.
#include <gtest/gtest.h>

#include <memory>

#include "commands/FileDownload.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "http/HttpConnection.h"
#include "http/ReplyParser.h"
#include "http/SocketErrors.h"
#include "support/ScriptedHttpServer.h"
#include "window/ProgressDisplay.h"

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

// How a download ended, in one text that a failed check shows whole.
std::string Ended(const StepResult& result) {
    return std::string(StepName(result.step)) + (result.clientError ? ", client error" : "") +
           (result.text.empty() ? "" : ": " + result.text);
}

struct Row {
    const char* what;
    ScriptedReply reply;
    Step step;
    std::string box;
};

TEST(ReplySyntaxAndVerdicts, OnlyAReplyReadByTheBookGivesAWholeFile) {
    FakeWindow window;
    FakeFileSystem files;
    files.AddFolder("C:\\Hotel\\Lock\\");
    FakeSystemInfo clock;
    const bool chinese = false;
    ProgressDisplay progress(window, clock, chinese);
    HttpClient client{
        HttpEvents{[&](int32_t max) { progress.WorkBegin(max); },
                   [&](int32_t n) { progress.Work(n); }, [&] { window.ProcessMessages(); },
                   nullptr},
        std::make_unique<HttpConnection>([&] { window.ProcessMessages(); }, kTestSilence)};
    HttpDownloader downloader(client, files);
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
    const Step done = Step::Done;
    const Step failed = Step::Download;
    std::vector<Row> rows = {
        // chunked counts as the one, exact and last coding only; any other
        // last coding runs to the close, which never proves a whole file
        {"chunked twice in a word", closing(with("Transfer-Encoding: chunkedchunked\r\n")), failed,
         ""},
        {"chunked inside a word", closing(with("Transfer-Encoding: xchunked\r\n")), failed, ""},
        {"chunked before another coding", closing(with("Transfer-Encoding: chunked, deflate\r\n")),
         failed, ""},
        {"a coding before chunked",
         closing(ok + "Transfer-Encoding: identity\r\n" + chunked + "\r\n" + Chunk(body) +
                 "0\r\n\r\n"),
         failed, BrokenReplyText("Transfer-Encoding: identity, chunked")},
        {"a coding after chunked", closing(with(chunked + "Transfer-Encoding: identity\r\n")),
         failed, BrokenReplyText(kBrokenTransferEncoding)},
        {"an encoding beside a length", closing(with("Transfer-Encoding: anything\r\n" + length)),
         failed, BrokenReplyText(kLengthBesideEncoding)},
        {"a length beside chunks", closing(with(length + chunked)), failed,
         BrokenReplyText(kLengthBesideEncoding)},
        // the status line is HTTP/1.x SP 3DIGIT SP reason
        {"HTP/1.1", closing(status("HTP/1.1 200 OK")), failed, broken},
        {"HTTP/01.1", closing(status("HTTP/01.1 200 OK")), failed, broken},
        {"HTTP/11.1", closing(status("HTTP/11.1 200 OK")), failed, broken},
        {"HTTP/1.01", closing(status("HTTP/1.01 200 OK")), failed, broken},
        {"HTTP/5.6", closing(status("HTTP/5.6 200 OK")), failed, broken},
        {"HTTPER/1.1", closing(status("HTTPER/1.1 200 OK")), failed, broken},
        {"a later minor version", closing(status("HTTP/1.7 200 OK")), done, ""},
        {"HTTP/1.0", closing(status("HTTP/1.0 200 OK")), done, ""},
        {"a bare CR hiding a second length",
         closing(ok + "X: y\r\rContent-Length: 4\r\nContent-Length: 1540\r\n\r\n" + body), failed,
         BrokenReplyText(kBrokenLineEnd)},
        {"a blank before the colon", closing(with("Content-Length : 1536\r\n")), failed,
         BrokenReplyText(kBrokenFieldName)},
        {"a blank inside a name", closing(with("Content Length: 1536\r\n")), failed,
         BrokenReplyText(kBrokenFieldName)},
        // a field folded onto more lines is joined, up to its bound
        {"a folded field at its bound",
         closing(with(length + "X: " + Letters(kLongestFoldedField - 2) + "\r\n y\r\n")), done, ""},
        {"a folded field past its bound",
         closing(with(length + "X: " + Letters(kLongestFoldedField - 1) + "\r\n y\r\n")), failed,
         kFoldedFieldTooLong},
        // a length is digits only, and past the bound is the bound's text
        {"a signed length", closing(with("Content-Length: +1536\r\n")), failed,
         BrokenReplyText("Content-Length: +1536")},
        {"a hex length", closing(with("Content-Length: 0x600\r\n")), failed,
         BrokenReplyText("Content-Length: 0x600")},
        {"a length with letters after", closing(with("Content-Length: 1536abc\r\n")), failed,
         BrokenReplyText("Content-Length: 1536abc")},
        {"a length of 19 digits", closing(with("Content-Length: 1000000000000000000\r\n")), failed,
         kBodyTooLarge},
        {"a length of 25 digits", closing(with("Content-Length: 9999999999999999999999999\r\n")),
         failed, kBodyTooLarge},
        {"a list of one length", closing(with("Content-Length: 1536, 1536\r\n")), done, ""},
        // a chunk's line is hex digits and extensions by their grammar
        {"blanks after a size", closing(chunks("600   ")), failed, kBrokenChunk},
        {"an empty extension", closing(chunks("600;")), failed, kBrokenChunk},
        {"an unbalanced quote", closing(chunks("600;a=\"b")), failed, kBrokenChunk},
        {"a negative size", closing(chunks("-600")), failed, kBrokenChunk},
        {"a hex prefix", closing(chunks("0x600")), failed, kBrokenChunk},
        {"a size of 2^64", closing(chunks("10000000000000000")), failed, kBrokenChunk},
        {"an extension by the grammar", closing(chunks("600; name = \"v;\\\"\"")), done, ""},
        // verdicts
        {"a short last chunk",
         closing(ok + chunked + "\r\n" + Chunk(body.substr(0, 1000)) + Chunk(body.substr(1000)) +
                 "0\r\n\r\n"),
         done, ""},
        {"chunks of less than 1024 bytes in all",
         closing(ok + chunked + "\r\n" + Chunk(body.substr(0, 1000)) + "0\r\n\r\n"), failed, ""},
        {"the last chunk without its empty line",
         closing(ok + chunked + "\r\n" + Chunk(body) + "0\r\n"), failed,
         kConnectionClosedGracefully},
        {"a redirect without Location", closing("HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n"),
         failed, "HTTP/1.1 302 Found"},
        {"a length that lies, the rest right behind",
         closing(ok + "Connection: close\r\nContent-Length: 1000\r\n\r\n" + body), failed,
         kMoreThanAnnounced},
        {"a length that lies, the rest 200 ms later",
         closing(ok + "Connection: close\r\nContent-Length: 1024\r\n\r\n" + body.substr(0, 1024))
             .Then(body.substr(1024), milliseconds(200)),
         failed, kMoreThanAnnounced},
        {"a length that lies on a kept connection",
         ScriptedReply(ok + "Content-Length: 1024\r\n\r\n" + body), failed, kMoreThanAnnounced},
        {"chunks with bytes after their end",
         closing(ok + "Connection: close\r\n" + chunked + "\r\n" + Chunk(body) + "0\r\n\r\nHTTP"),
         failed, kMoreThanAnnounced},
        {"a closing reply whose server holds on",
         ScriptedReply(ok + "Connection: close\r\n" + length + "\r\n" + body, AfterReply::Hang),
         done, ""},
        // a kept connection that falls silent is never asked twice
        {"a whole file on a kept connection", ScriptedReply(with(length)), done, ""},
        {"silence on the kept connection", ScriptedReply(std::string(), AfterReply::Hang), failed,
         kReadTimeout},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.what);
        files.Remove(kDest);
        server.Enqueue(std::move(row.reply));
        const std::string url = server.Url("/V9/02/Tessaron.Exe");
        const size_t requests = server.Requests().size();
        const StepResult expected =
            row.box.empty() ? Failure(row.step)
                            : DownloadFailure(true, row.box + "\n\n" + url + "\n" + kDest);
        EXPECT_EQ(Ended(downloader.DownloadOneFile(url, kDest)), Ended(expected));
        EXPECT_EQ(server.Requests().size(), requests + 1);
        EXPECT_EQ(files.FileExists(kDest), row.step == done);
        if (row.step == done) {
            EXPECT_EQ(files.Bytes(kDest), body);
        }
    }
}

}  // namespace
}  // namespace pellinor

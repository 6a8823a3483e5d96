// Hostile and broken download servers against the real Pellinor.exe: cut-off
// bodies, garbage, absurd lengths and framing, redirect loops and redirects
// out of HTTP. Whatever the server does, the installation keeps the old
// program or gets the complete new one, and the user is told which.
#include <cstdint>
#include <iostream>

#include "ServerFaults.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

TEST_F(ServerFaults, CloseInTheMiddleOfALengthBody) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    const UpgradeOutcome outcome = UpgradeAgainst(folder, [&] {
        return Reply(LengthHead(std::to_string(body.size())), body.substr(0, body.size() / 2));
    });
    ExpectQuietFailure(outcome);
}

TEST_F(ServerFaults, CloseInTheMiddleOfAChunkedBody) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    // Whole chunks of 64 KiB, each far above the smallest accepted file,
    // then the connection ends before the terminating chunk; and a close
    // inside a chunk.
    const std::vector<std::string> cutOff = {
        Chunks(body.substr(0, 5 * 65536), 65536),
        Chunks(body, 65536).substr(0, 3 * (65536 + 9) + 4000),
    };
    for (const std::string& sent : cutOff) {
        const UpgradeOutcome outcome =
            UpgradeAgainst(folder, [&] { return Reply(kChunkedHead, sent); });
        ExpectRaisedFailure(outcome, folder, "Connection Closed Gracefully.");
    }
}

TEST_F(ServerFaults, GarbageInsteadOfAStatusLine) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    // What was sent, and the message of the error box: a first line that
    // is no status line breaks HTTP/1.1.
    const std::string kBrokenStatus =
        "The server sent a reply that breaks HTTP/1.1: the status line";
    const std::vector<std::pair<std::string, std::string>> garbage = {
        // (The zero byte ends the text: four bytes are sent, too few for a version.)
        {"\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03", "Connection Closed Gracefully."},
        {"SSH-2.0-OpenSSH_9.2\r\n", kBrokenStatus},
        {"garbage, then the program\r\n" + body.substr(0, 16 * 1024), kBrokenStatus},
        // The program's bytes after it change nothing: the first line is no status line.
        {"garbage, then the program\r\n" + body, kBrokenStatus},
    };
    for (const auto& [bytes, message] : garbage) {
        const UpgradeOutcome outcome =
            UpgradeAgainst(folder, [&] { return ScriptedReply(bytes, AfterReply::Close); });
        ExpectRaisedFailure(outcome, folder, message);
    }
}

TEST_F(ServerFaults, HeaderBlockOfAMegabyte) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    // One line of a megabyte, a megabyte of ordinary lines, and a header
    // block of 200 KiB, large but inside the bound.
    const std::string longLine =
        "HTTP/1.1 200 OK\r\nX-Padding: " + std::string(1 << 20, 'p') + "\r\n";
    auto manyLines = [](size_t bytes) {
        std::string head = "HTTP/1.1 200 OK\r\n";
        for (int i = 0; head.size() < bytes; ++i) {
            head += "X-Padding-" + std::to_string(i) + ": " + std::string(1000, 'p') + "\r\n";
        }
        return head;
    };
    auto withBody = [&](const std::string& head) {
        return [&, head] {
            return Reply(head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n",
                         body);
        };
    };
    ExpectRaisedFailure(UpgradeAgainst(folder, withBody(longLine)), folder,
                        "Max line length exceeded.");
    ExpectRaisedFailure(UpgradeAgainst(folder, withBody(manyLines(1 << 20))), folder,
                        "The server sent a header block of more than 256 KB.");
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    // Long but well formed: the program arrives whole and is put in place.
    const UpgradeOutcome outcome = UpgradeAgainst(folder, withBody(manyLines(200 << 10)));
    EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"});
    EXPECT_TRUE(outcome.ended);
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(ServerFaults, ContentLengthOf4GiBOrOver2GiB) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    const uint64_t size = body.size();
    // The low 32 bits of the last two are the body's true size: none of it
    // may pass for the file, and each is refused before a byte is read.
    for (uint64_t length : {uint64_t{4294967296}, uint64_t{2147483648} + 1000,
                            uint64_t{4294967296} + size, uint64_t{8589934592} + size}) {
        ExpectRaisedFailure(
            UpgradeAgainst(folder, [&] { return Reply(LengthHead(std::to_string(length)), body); }),
            folder, "The server sent or announced more than 256 MB.");
    }
}

TEST_F(ServerFaults, NegativeOrNonNumericContentLength) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    const std::string size = std::to_string(body.size());
    for (const std::string& length :
         std::vector<std::string>{"-1", "-" + size, "abc", size + "abc", "0x" + Hex(body.size())}) {
        ExpectRaisedFailure(
            UpgradeAgainst(folder, [&] { return Reply(LengthHead(length), body); }), folder,
            "The server sent a reply that breaks HTTP/1.1: Content-Length: " + length);
    }
}

TEST_F(ServerFaults, InvalidChunkSize) {
    const std::string folder = Install("Lock");
    const std::string body = newBytes_;
    // Garbage as the first size; the whole program as one chunk followed by
    // garbage where the next size belongs.
    for (const std::string& framed :
         {std::string("zz\r\n") + body + "\r\n0\r\n\r\n", Chunks(body, body.size()) + "xyz\r\n"}) {
        ExpectRaisedFailure(UpgradeAgainst(folder, [&] { return Reply(kChunkedHead, framed); }),
                            folder, "The server broke the chunked transfer.");
    }
}

TEST_F(ServerFaults, RedirectLoop) {
    const std::string folder = Install("Lock");
    ExpectQuietFailure(UpgradeAgainst(folder, [] {
        return ScriptedReply(
            HttpHead("HTTP/1.1 302 Found", {"Location: /V9/02/Tessaron.Exe", "Content-Length: 0"}));
    }));
    EXPECT_EQ(server_.Requests().size(), 2u + 15u)
        << "the patch and the compressed file missing, then the first request and 14 redirects";
}

TEST_F(ServerFaults, RedirectToFileOrFtp) {
    const std::string folder = Install("Lock");
    // A program that must not be taken from the disk either.
    const std::string foreign = MakeFolder("Foreign") + "Tessaron.Exe";
    ASSERT_TRUE(WriteBytes(foreign, newBytes_));
    std::string fileUrl = "file:///" + foreign;
    for (char& c : fileUrl) {
        if (c == '\\') c = '/';
    }
    // The location, and the message of the error box.
    const std::vector<std::pair<std::string, std::string>> redirects = {
        {fileUrl, "Host field is empty"},
        {"file://localhost/" + foreign, "Unknown Protocol"},
        {"ftp://127.0.0.1:21/V9/02/Tessaron.Exe", "Unknown Protocol"},
    };
    for (const auto& [location, message] : redirects) {
        const size_t before = server_.Requests().size();
        ExpectRaisedFailure(UpgradeAgainst(folder,
                                           [&] {
                                               return ScriptedReply(HttpHead(
                                                   "HTTP/1.1 302 Found",
                                                   {"Location: " + location, "Content-Length: 0"}));
                                           }),
                            folder, message);
        // The patch and the compressed file are missing: two 404s first.
        EXPECT_EQ(server_.Requests().size(), before + 3) << location;
    }
}

}  // namespace
}  // namespace pellinor::e2e

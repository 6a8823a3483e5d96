// Fuzzes what a server sends back (status lines, headers, framing, bodies,
// redirects and cookies) through the client's own GET and the commands'
// download (HttpDownloader, the window's progress display on its events),
// with a scripted server behind the client's transport. Invariants: no crash
// and no undefined behaviour; no read past the end of the input; a body
// reported complete only when a reading of the same bytes apart from the
// client finds the body's end; a download is done exactly when that
// reading finds a whole file (a 200, every announced byte, chunk data that
// ends where each size says, one agreed length, at least 1,024 bytes in
// all, every line of the head by the book, nothing after the end); a
// reply that breaks its framing raises the text that names it; progress
// never counts more bytes than arrived; requests stay well-formed; errors
// are the user's known texts.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "commands/FileDownload.h"
#include "fakes/FakeFileSystem.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "http/SocketErrors.h"
#include "http/TlsErrors.h"
#include "platform/Error.h"
#include "support/FuzzCheck.h"
#include "support/ReferenceFraming.h"
#include "support/ScriptedTransport.h"
#include "transfer/HttpClient.h"
#include "window/ProgressDisplay.h"

using namespace pellinor;
using namespace pellinor::fuzz;

namespace {

const std::string kUrl = "http://127.0.0.1/V9/02/Tessaron.Exe";
const std::string kFolder = "C:\\Hotel\\Lock\\";
const std::string kDest = kFolder + "Tessaron.Exe.tmp";
constexpr size_t kMostRequests = 2 * 15;  // each of the 15 may be retried once

// Watches the progress events against the bytes the transport delivered.
struct ProgressWatch {
    const ScriptedTransport* transport = nullptr;
    bool begun = false;
    uint32_t last = 0;

    void Begin() {
        begun = true;
        last = 0;
    }
    void Work(int32_t count) {
        FUZZ_CHECK(begun);
        const auto n = static_cast<uint32_t>(count);
        FUZZ_CHECK(n > last);  // every event reports new bytes
        FUZZ_CHECK(n <= transport->DeliveredSinceSend());
        last = n;
    }
};

// Request line and header lines each end with CR LF, and the only empty
// line is the last: nothing a server sends may split or extend a request.
void CheckRequest(const std::string& request) {
    FUZZ_CHECK(request.compare(0, 4, "GET ") == 0);
    FUZZ_CHECK(request.size() >= 4 && request.compare(request.size() - 4, 4, "\r\n\r\n") == 0);
    for (size_t i = 0; i < request.size(); ++i) {
        if (request[i] == '\r') FUZZ_CHECK(i + 1 < request.size() && request[i + 1] == '\n');
        if (request[i] == '\n') FUZZ_CHECK(i > 0 && request[i - 1] == '\r');
    }
    FUZZ_CHECK(request.find("\r\n\r\n") == request.size() - 4);
    const std::string line = request.substr(0, request.find("\r\n"));
    FUZZ_CHECK(line.find(' ', 4) == line.size() - 9);  // "GET target HTTP/1.1"
    FUZZ_CHECK(line.compare(line.size() - 9, 9, " HTTP/1.1") == 0);
}

// The reference reading of the reply that answered the last request.
ReferenceResponse FinalReference(const ScriptedTransport& t) {
    if (t.Exchanges().empty() || t.Exchanges().back().reply < 0) return ReferenceResponse();
    const ScriptedReply& reply = t.Script()[static_cast<size_t>(t.Exchanges().back().reply)];
    return ReadReference(reply.bytes, !reply.shape.reset);
}

void CheckErrorText(const std::string& text, const ReferenceResponse& final) {
    // The message is a C string: a status line ends at its first zero byte.
    if (final.hasStatus && text == final.statusLine.substr(0, final.statusLine.find('\0'))) {
        FUZZ_CHECK(!final.IsSuccess() && !final.IsRedirect());
        return;
    }
    if (text.compare(0, std::strlen(kBrokenReply), kBrokenReply) == 0) return;
    FUZZ_CHECK(text == kConnectionClosedGracefully || text == kMaxLineLengthExceeded ||
               text == kMoreThanAnnounced || text == kIoHandlerNotValid ||
               text == kUnknownProtocol || text == "Protocol field is empty" ||
               text == "Host field is empty" || text == kHeaderBlockTooLarge ||
               text == kBodyTooLarge || text == kConflictingLengths || text == kBrokenChunk ||
               text == kFoldedFieldTooLong || text == SocketErrorMessage(10054) ||
               text == SocketErrorMessage(10061) ||
               // A redirect to a port outside 1-65535, or to an IPv6 literal.
               text == SocketErrorMessage(10049) || text == kIpv6NotSupported ||
               // A redirect from https to http.
               text == InBothLanguages(TextId::TlsDowngradeRefused));
}

void CheckExchanges(const ScriptedTransport& t) {
    FUZZ_CHECK(t.Exchanges().size() <= kMostRequests);
    for (const Exchange& e : t.Exchanges()) CheckRequest(e.request);
}

bool IsPrefix(const std::string& part, const std::string& whole) {
    return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

void FuzzGet(const std::vector<ScriptedReply>& script) {
    auto owned = std::make_unique<ScriptedTransport>(script);
    const ScriptedTransport& transport = *owned;
    ProgressWatch watch{&transport};
    HttpClient client(HttpEvents{[&](int32_t) { watch.Begin(); },
                                 [&](int32_t count) { watch.Work(count); }, nullptr, nullptr},
                      std::move(owned));
    HttpResponse response;
    bool raised = false;
    std::string raisedText;
    try {
        client.Get(kUrl, response);
    } catch (const Error& e) {
        raised = true;
        raisedText = e.what();
        CheckErrorText(raisedText, FinalReference(transport));
    }
    CheckExchanges(transport);
    const ReferenceResponse final = FinalReference(transport);
    // What breaks the final answer is always named, by its own text; a head
    // past its bound may break before it ends, and be named for that.
    if (!final.error.empty()) FUZZ_CHECK(raised);
    if (!final.error.empty() && !final.headTooLarge) FUZZ_CHECK(raisedText == final.error);
    if (!final.IsSuccess()) {
        FUZZ_CHECK(!response.complete && response.body.empty());
        // Without an error the GET only ends early when the redirects ran
        // out, or when the server closed inside a head.
        if (!raised)
            FUZZ_CHECK((final.IsRedirect() && transport.Exchanges().size() >= 15) ||
                       final.partialHead);
        return;
    }
    FUZZ_CHECK(IsPrefix(response.body, final.body));
    FUZZ_CHECK(response.complete == final.complete);
    if (response.complete) FUZZ_CHECK(response.body == final.body);
    FUZZ_CHECK(IsBodyWhole(response) == final.Whole());
}

void FuzzDownload(const std::vector<ScriptedReply>& script) {
    FakeWindow window;
    FakeFileSystem files;
    files.AddFolder(kFolder);
    FakeSystemInfo clock;
    const bool chinese = false;
    ProgressDisplay progress(window, clock, chinese);
    auto owned = std::make_unique<ScriptedTransport>(script);
    const ScriptedTransport& transport = *owned;
    HttpClient client(HttpEvents{[&](int32_t max) { progress.WorkBegin(max); },
                                 [&](int32_t count) { progress.Work(count); },
                                 [&] { window.ProcessMessages(); }, nullptr},
                      std::move(owned));
    HttpDownloader downloader(client, files, [&] { progress.Flush(); });
    const StepResult result = downloader.DownloadOneFile(kUrl, kDest);

    CheckExchanges(transport);
    FUZZ_CHECK(result.step == Step::Done || result.step == Step::Download);
    const ReferenceResponse final = FinalReference(transport);
    if (result.clientError) {
        // The E0059 box's text: the client's error, the address and the file.
        const std::string& text = result.text;
        const std::string tail = "\n\n" + kUrl + "\n" + kDest;
        FUZZ_CHECK(text.size() >= tail.size() &&
                   text.compare(text.size() - tail.size(), tail.size(), tail) == 0);
        CheckErrorText(text.substr(0, text.size() - tail.size()), final);
    } else {
        FUZZ_CHECK(result.text.empty());
    }
    FUZZ_CHECK(files.FileExists(kDest) == result.Ok());
    // A whole file, and only a whole file, reaches the disk.
    FUZZ_CHECK(result.Ok() == final.Whole());
    if (!result.Ok()) return;
    FUZZ_CHECK(final.framing == Framing::Length || final.framing == Framing::Chunked);
    FUZZ_CHECK(files.Bytes(kDest) == final.body);
    FUZZ_CHECK(final.body.size() >= 1024);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<ScriptedReply> script = ParseScript(data, size);
    FuzzGet(script);
    FuzzDownload(script);
    return 0;
}

// A hotel line that drops in the middle of the download, on the real
// Pellinor.exe: the upgrade resumes where the line dropped, asks only for
// the rest, and puts the whole new program in place.
#include <memory>
#include <mutex>

#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

// A program of a few MiB, so that the drops fall in the middle of a
// transfer of some length.
constexpr size_t kPadding = size_t{4} << 20;

class ResumedDownload : public UpgradeScenario {};

TEST_F(ResumedDownload, TwoDropsInTheMiddleEndWithTheNewProgramInPlace) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const auto body = std::make_shared<const std::string>(newBytes_);
    // The line drops at a third and at two thirds of the file: each of the
    // first two requests for it ends there, the third brings the rest.
    auto count = std::make_shared<int>(0);
    auto lock = std::make_shared<std::mutex>();
    // The reply depends on the request's range, so the handler is the
    // server's own rather than Serve's.
    server_.SetHandler([body, count, lock](const std::string& request) {
        if (RequestTarget(request) != "/V9/02/Tessaron.Exe")
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        std::lock_guard<std::mutex> hold(*lock);
        const int n = ++*count;
        const size_t cut = n < 3 ? body->size() * n / 3 : SIZE_MAX;
        return RangeReply(request, body, {"ETag: \"7.35.9\"", "Accept-Ranges: bytes"}, cut);
    });
    UiDriver& ui = Start();
    const UpgradeOutcome outcome = RunUpgrade(ui);
    server_.SetHandler(nullptr);
    EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"}) << outcome.Describe();
    ExpectPromisesKept(folder, outcome);
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);

    // The server's log: the first request without a range, then one for
    // the rest after each drop, under the file's validator.
    std::vector<std::string> ranges;
    for (const std::string& request : server_.Requests()) {
        if (RequestTarget(request) != "/V9/02/Tessaron.Exe") continue;
        const size_t at = request.find("\r\nRange: ");
        ranges.push_back(at == std::string::npos
                             ? "none"
                             : request.substr(at + 2, request.find("\r\n", at + 2) - at - 2));
        if (at != std::string::npos) {
            EXPECT_NE(request.find("\r\nIf-Range: \"7.35.9\"\r\n"), std::string::npos) << request;
        }
    }
    EXPECT_EQ(ranges, (std::vector<std::string>{
                          "none", "Range: bytes=" + std::to_string(body->size() / 3) + "-",
                          "Range: bytes=" + std::to_string(body->size() * 2 / 3) + "-"}));
}

}  // namespace
}  // namespace pellinor::e2e

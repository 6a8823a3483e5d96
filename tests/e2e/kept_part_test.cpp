// What one run of the real Pellinor.exe could not finish, the next one
// finishes: /upgrade over a line that drops at half and then refuses every
// connection ends with its own code and keeps the half; the next run asks
// only for the rest and puts the exact program in place.
#include <cstdio>
#include <memory>
#include <thread>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

// A program of a few MiB, so that the half is partly in the scratch file.
constexpr size_t kPadding = size_t{3} << 20;
const std::string kValidator = "\"7.35.9\"";

class KeptPartTest : public UpgradeScenario {
  protected:
    UnattendedRun Upgrade(const std::string& base) {
        ClearLog();
        return WaitForRun(StartProgram(UiDriver::DefaultExePath(), {"/upgrade", "/base", base}));
    }
};

TEST_F(KeptPartTest, ALineDownAfterHalfEndsWithItsCodeAndTheNextRunGoesOn) {
    const std::string folder = Install("Lock");
    newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\x5a'), "7.35.9 large");
    const auto body = std::make_shared<const std::string>(newBytes_);
    const std::vector<std::string> fields{"ETag: " + kValidator, "Accept-Ranges: bytes"};
    server_.SetHandler([body, fields](const std::string& request) {
        return RangeReply(request, body, fields, body->size() / 2);
    });
    const std::string base = server_.Url("/V9/02/");
    const uint16_t port = server_.Port();
    // The line goes down once the half has gone: the run's own resumes
    // (after its pause) find nothing listening.
    std::thread down([this] {
        WaitUntil([this] { return !server_.Requests().empty(); }, kRunLimitMs);
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        server_.Stop();
    });
    const UnattendedRun first = Upgrade(base);
    down.join();
    ASSERT_TRUE(first.ended);
    EXPECT_EQ(first.exitCode, 24u) << first.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
    // How much is kept, as the log says it: the next run asks from there.
    const std::string said = "part kept for the next run: ";
    size_t kept = 0;
    for (const std::string& line : first.log) {
        if (line.find(said) != std::string::npos)
            kept = std::stoul(line.substr(line.find(said) + said.size()));
    }
    ASSERT_GT(kept, 0u) << first.Describe();
    EXPECT_NE(first.log.back().find("exit 24"), std::string::npos) << first.Describe();

    ScriptedHttpServer line(port);
    line.SetHandler(
        [body, fields](const std::string& request) { return RangeReply(request, body, fields); });
    const UnattendedRun second = Upgrade(base);
    ASSERT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0u) << second.Describe();
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == newBytes_) << "not the exact program";
    const std::vector<std::string> requests = line.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_NE(requests[0].find("\r\nRange: bytes=" + std::to_string(kept) +
                               "-\r\nIf-Range: " + kValidator + "\r\n"),
              std::string::npos)
        << requests[0];
    EXPECT_TRUE(second.Logged("no part kept")) << second.Describe();
    line.SetHandler(nullptr);
    std::printf("%s\n%s\n", first.Describe().c_str(), second.Describe().c_str());
}

}  // namespace
}  // namespace pellinor::e2e

// Pellinor.exe ended by force (a power cut, the task manager) at random
// moments of an upgrade: before the download, in the middle of it, while
// the file is written and while it is put in place. Whenever that happens,
// the installation holds the old program or the whole new one, and the
// next upgrade finishes the job.
#include <chrono>
#include <iostream>
#include <random>
#include <thread>

#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

using std::chrono::milliseconds;

// Enough kills to land in every phase of the upgrade several times.
constexpr int kKills = 32;
// A program of several MiB, sent in blocks with pauses, so that the
// download lasts about a second after the one-second pause before it.
constexpr size_t kPadding = size_t{4} << 20;
constexpr size_t kBlock = 128 * 1024;
constexpr milliseconds kBlockPause{30};
// The kills fall between the confirmation and the success box, as long as
// an upgrade left alone takes here; half of them into its last quarter,
// where the file is written and put in place.
constexpr int kLastStretchDivisor = 4;

class KilledUpgrade : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        newBytes_ = WithVersionTrailer(program_ + std::string(kPadding, '\0'), "7.35.9 large");
        const auto body = std::make_shared<const std::string>(newBytes_);
        Serve([body] {
            ScriptedReply reply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body->size())}),
                AfterReply::Close);
            reply.ThenShared(body, kBlock, kBlockPause);
            return reply;
        });
    }

    // The folder holds one of the two programs, and at most a temporary
    // file that the next upgrade deletes before anything else.
    void ExpectOneWholeProgram(const std::string& folder) {
        const std::string exe = ReadBytes(folder + "Tessaron.Exe");
        EXPECT_TRUE(exe == oldBytes_ || exe == newBytes_)
            << "Tessaron.Exe is neither program (" << exe.size() << " bytes)";
        for (const std::string& name : FilesIn(folder)) {
            EXPECT_TRUE(name == "Tessaron.Exe" || name == "TessaronEng.tmp")
                << "a stray file in the installation: " << name;
        }
    }

    // Milliseconds from the confirmation to the success box of an upgrade
    // that is left alone.
    int TimedUpgradeToTheEnd(const std::string& folder) {
        UiDriver& ui = Start();
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        const auto start = std::chrono::steady_clock::now();
        const std::optional<DialogInfo> done = ui.WaitForDialog(30000);
        const auto took =
            std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
        EXPECT_TRUE(done && done->caption == "N9082");
        if (done) AnswerDialog(done->handle, IDOK);
        EXPECT_TRUE(ui.WaitForExit(10000));
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
        return static_cast<int>(took.count());
    }

    void UpgradeToTheEnd(const std::string& folder) {
        UiDriver& ui = Start();
        const UpgradeOutcome outcome = RunUpgrade(ui);
        EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"}) << outcome.Describe();
        ExpectPromisesKept(folder, outcome);
    }
};

TEST_F(KilledUpgrade, EndedAtAnyMomentLeavesTheOldOrTheWholeNewProgram) {
    const std::string folder = Install("Lock");
    const unsigned seed = std::random_device{}();
    std::cout << "[ kills    ] seed " << seed << "\n";
    std::mt19937 random(seed);
    const int whole = TimedUpgradeToTheEnd(folder);
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
    std::cout << "[ kills    ] an upgrade left alone takes " << whole << " ms\n";
    std::uniform_int_distribution<int> anyMoment(0, whole);
    std::uniform_int_distribution<int> lastStretch(whole - whole / kLastStretchDivisor, whole);
    int replaced = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        UiDriver& ui = Start();
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        const int at = kill % 2 ? lastStretch(random) : anyMoment(random);
        std::this_thread::sleep_for(milliseconds(at));
        ui.Process().Terminate();
        ASSERT_FALSE(ui.Running());
        ExpectOneWholeProgram(folder);
        EXPECT_EQ(ScratchFilesLeft(), std::vector<std::string>{});
        if (ReadBytes(folder + "Tessaron.Exe") == newBytes_) {
            ++replaced;
            ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        }
        // Now and then, and after the last kill, an upgrade that is left
        // alone finishes from whatever the kill left behind.
        if (kill % 8 == 7) {
            UpgradeToTheEnd(folder);
            ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        }
    }
    std::cout << "[ kills    ] " << kKills << " kills, " << replaced
              << " after the new program was in place\n";
    UpgradeToTheEnd(folder);
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

}  // namespace
}  // namespace pellinor::e2e

// What the upgrade tells the support log, step by step, through fakes: the
// installations, the boxes, the checks with their codes and the replacement.
#include <gtest/gtest.h>

#include "fakes/CommandRig.h"
#include "log/LogEvent.h"

namespace pellinor {
namespace {

class RecordingLog : public Log {
  public:
    void Write(const std::string& event) noexcept override { lines.push_back(event); }
    std::vector<std::string> lines;
};

TEST(SupportLogLines, TheUpgradeTellsEveryStepInItsOrder) {
    const struct {
        const char* what;
        StepResult result;
        std::deque<uint32_t> replaceFailures;
        std::vector<std::string> expected;  // in this order, others between them
    } rows[] = {
        {"upgraded after one retry",
         StepResult{},
         {32},
         {"installations found=2 \"C:\\Lock\\\" \"D:\\Lock\\\"", "box N9079",
          "box N9079 answered OK", "installation chosen \"C:\\Lock\\\"",
          "publisher installed: signature=none result=0x00000000 trusted=no key=none subject=\"\"",
          "publisher check: accept", "version installed: none; download: none; accept",
          "replace \"C:\\Lock\\TessaronEng.tmp\" -> \"C:\\Lock\\Tessaron.Exe\" attempts=2 result=0",
          "box N9082"}},
        {"download failed",
         DownloadFailure(true, "HTTP/1.1 404 Not Found"),
         {},
         {"installation chosen \"C:\\Lock\\\"", "box E0059", "box \"System Error E0056, -59\""}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CommandRig rig;
        rig.fake.files.AddFolder("C:\\Lock\\");
        rig.fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old");
        rig.fake.files.replaceFailures = row.replaceFailures;
        rig.result = row.result;
        // The list of an earlier click, the first one selected.
        rig.installations = {{"C:\\Lock\\", false}, {"D:\\Lock\\", false}};
        rig.window().ListAppend("C:\\Lock\\");
        rig.window().ListAppend("D:\\Lock\\");
        rig.window().ListSelect(0);
        RecordingLog log;
        {
            const LogScope logging(log);
            UpgradeInstalledProgram(rig.site);
        }
        size_t at = 0;
        for (const std::string& line : row.expected) {
            while (at < log.lines.size() && log.lines[at] != line) ++at;
            ASSERT_LT(at, log.lines.size()) << "missing or out of order: " << line;
        }
        EXPECT_EQ(log.lines.back(), row.expected.back());
    }
    // Outside a scope the events go nowhere, and nothing fails.
    EXPECT_NO_THROW(LogEvent("nobody listens"));
}

}  // namespace
}  // namespace pellinor

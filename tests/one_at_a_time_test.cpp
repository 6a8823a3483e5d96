// One command that changes files at a time: the machine's command lock,
// held from the command's last question to its end, and the temporary file
// that is always made new and never opened when something is already there.
#include <gtest/gtest.h>

#include "fakes/CommandRig.h"
#include "platform/WholeFile.h"
#include "text/Texts.h"

namespace pellinor {
namespace {

using Command = void (*)(CommandSite&);

struct CommandRun : CommandRig {
    bool heldWhileDownloading = false;

    CommandRun() {
        installations = {{"C:\\Lock\\", false}};
        duringDownload = [this] { heldWhileDownloading = fake.commandLock.held; };
        fake.files.AddFolder("C:\\Lock\\");
        fake.files.AddFolder("D:\\");
        fake.files.AddFolder("C:\\Users\\alice\\Desktop\\");
        fake.registry.values["Desktop"] = RegistryValue{true, "C:\\Users\\alice\\Desktop"};
        fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old");
        fake.processes.running = {{10, "Tessaron.Exe"}};
    }
};

TEST(CommandLock, AnotherCopyChangingFilesStopsEachCommandBeforeItChangesAnything) {
    const struct {
        const char* what;
        Command command;
        std::vector<std::string> boxesBefore;  // the command's questions
    } rows[] = {
        {"upgrade", UpgradeInstalledProgram, {"N9079"}},
        {"install", InstallNewestVersion, {"N9078"}},
        {"SDK", DownloadSdk, {}},
    };
    for (const bool chinese : {false, true}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.what) + (chinese ? " in Chinese" : ""));
            CommandRun run;
            run.SetChinese(chinese);
            run.fake.commandLock.heldElsewhere = true;
            row.command(run.site);

            ASSERT_EQ(run.fake.window.boxes.size(), row.boxesBefore.size() + 1);
            const ShownBox& box = run.fake.window.boxes.back();
            EXPECT_EQ(box.caption, "N9089");
            EXPECT_EQ(box.style, static_cast<unsigned>(kStyleExclamation));
            EXPECT_EQ(box.text, Tr(TextId::N9089, chinese));
            EXPECT_TRUE(run.downloads.empty());
            EXPECT_TRUE(run.fake.processes.terminated.empty());
            EXPECT_EQ(run.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old");
            EXPECT_TRUE(run.fake.files.log.empty()) << run.fake.files.log.front();
            // Nothing happened, so the user may try again later.
            EXPECT_TRUE(run.fake.window.Enabled(Control::BitBtn2));
            EXPECT_TRUE(run.fake.window.Enabled(Control::cmdExit));
            EXPECT_FALSE(run.fake.window.terminated);
        }
    }
}

TEST(CommandLock, HeldWhileTheCommandChangesFilesAndGivenBackOnEveryWayOut) {
    for (const Command command : {UpgradeInstalledProgram, InstallNewestVersion, DownloadSdk}) {
        for (const StepResult& result : {StepResult{}, DownloadFailure(false, "")}) {
            CommandRun run;
            run.result = result;
            command(run.site);
            EXPECT_EQ(run.fake.commandLock.taken, 1);
            EXPECT_TRUE(run.heldWhileDownloading);
            EXPECT_FALSE(run.fake.commandLock.held) << "given back, " << StepName(result.step);
        }
    }
    // A cancelled question takes nothing.
    CommandRun run;
    run.fake.window.answers = {kAnswerCancel};
    UpgradeInstalledProgram(run.site);
    EXPECT_EQ(run.fake.commandLock.taken, 0);
}

TEST(TemporaryFile, IsMadeNewAndNeverOpenedWhenSomethingIsThereAlready) {
    // Another program's file at the temporary name, which cannot be deleted:
    // the download is not written into it, and it is not removed either.
    CommandRun run;
    run.fake.files.AddFile("C:\\Lock\\TessaronEng.tmp", "a piece left by another copy");
    run.fake.files.undeletable.insert("C:\\LOCK\\TESSARONENG.TMP");
    UpgradeInstalledProgram(run.site);
    // The application's error report, as for any error the program did not foresee.
    ASSERT_EQ(run.Captions(), (std::vector<std::string>{"N9079", "Pellinor"}));
    EXPECT_EQ(run.LastBox().style, static_cast<unsigned>(kStyleError));
    EXPECT_EQ(run.LastBox().text.rfind("Cannot create file \"C:\\Lock\\TessaronEng.tmp\". ", 0), 0u)
        << run.LastBox().text;
    // The lock program was ended: leaving is the only way on.
    EXPECT_TRUE(run.window().Enabled(Control::cmdExit));
    EXPECT_FALSE(run.window().Enabled(Control::BitBtn2));
    EXPECT_EQ(run.fake.files.Bytes("C:\\Lock\\TessaronEng.tmp"), "a piece left by another copy");
    EXPECT_EQ(run.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old");
    EXPECT_FALSE(run.fake.commandLock.held) << "given back after the failure";

    // A piece of a file this write made is removed again.
    FakeFileSystem files;
    files.AddFolder("C:\\Lock\\");
    files.writeFailsAfter = 3;
    EXPECT_THROW(WriteWholeFile(files, "C:\\Lock\\x.tmp", "MZ whole"), Error);
    EXPECT_FALSE(files.FileExists("C:\\Lock\\x.tmp"));
}

}  // namespace
}  // namespace pellinor

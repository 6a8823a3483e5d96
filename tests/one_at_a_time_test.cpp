// One command that changes files at a time: the machine's command lock,
// held from the command's last question to its end, and the temporary file
// that is always made new and never opened when something is already there.
#include <gtest/gtest.h>

#include "commands/CommandSite.h"
#include "fakes/FakeDownloader.h"
#include "fakes/FakePlatform.h"
#include "platform/WholeFile.h"
#include "text/Texts.h"

namespace pellinor {
namespace {

using Command = void (*)(CommandSite&);

struct CommandRun {
    FakePlatform fake;
    bool chinese = false;
    int downloads = 0;
    bool heldWhileDownloading = false;
    int downloadResult = 0;
    FakeDownloader downloader{[this](const std::string&, const std::string& dest) {
        ++downloads;
        heldWhileDownloading = fake.commandLock.held;
        if (downloadResult == 0) WriteWholeFile(fake.files, dest, "MZ new");
        return downloadResult;
    }};
    CommandSite site{fake.platform, chinese, [this] { fake.window.ListAppend("C:\\Lock\\"); },
                     downloader};

    CommandRun() {
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
            run.chinese = chinese;
            run.fake.commandLock.heldElsewhere = true;
            row.command(run.site);

            ASSERT_EQ(run.fake.window.boxes.size(), row.boxesBefore.size() + 1);
            const ShownBox& box = run.fake.window.boxes.back();
            EXPECT_EQ(box.caption, "N9089");
            EXPECT_EQ(box.style, static_cast<unsigned>(kStyleExclamation));
            EXPECT_EQ(box.text, Tr(TextId::N9089, chinese));
            EXPECT_EQ(run.downloads, 0);
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
        for (const int result : {0, -1}) {
            CommandRun run;
            run.downloadResult = result;
            command(run.site);
            EXPECT_EQ(run.fake.commandLock.taken, 1);
            EXPECT_TRUE(run.heldWhileDownloading);
            EXPECT_FALSE(run.fake.commandLock.held) << "given back, result " << result;
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
    try {
        UpgradeInstalledProgram(run.site);
        ADD_FAILURE() << "no error report";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("Cannot create file \"C:\\Lock\\TessaronEng.tmp\". ", 0),
                  0u)
            << error.what();
    }
    EXPECT_EQ(run.fake.files.Bytes("C:\\Lock\\TessaronEng.tmp"), "a piece left by another copy");
    EXPECT_EQ(run.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old");
    EXPECT_FALSE(run.fake.commandLock.held) << "given back when the error left the command";

    // A piece of a file this write made is removed again.
    FakeFileSystem files;
    files.AddFolder("C:\\Lock\\");
    files.writeFailsAfter = 3;
    EXPECT_THROW(WriteWholeFile(files, "C:\\Lock\\x.tmp", "MZ whole"), Error);
    EXPECT_FALSE(files.FileExists("C:\\Lock\\x.tmp"));
}

}  // namespace
}  // namespace pellinor

// Broken disks against the real Pellinor.exe: an installation folder where
// nothing can be written, a program file that is read-only or held open by
// another process, a drive that fills up while the download is written.
// The old program stays whole unless the new one is complete in its place.
#include <algorithm>
#include <iostream>

#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

// The drives tests/e2e/wine-session mounts when it may: a small file system
// and the tests' folder of drive C seen read-only.
constexpr const char* kSmallDrive = "Q:\\";
constexpr const char* kReadOnlyDrive = "R:\\";
constexpr const char* kTestRootOnC = "C:\\pellinor-e2e\\";

bool DriveExists(const std::string& root) {
    return ::GetDriveTypeW(Widen(root).c_str()) != DRIVE_NO_ROOT_DIR;
}

class DiskFaults : public UpgradeScenario {
  protected:
    // A shortcut to the old program that names folder as its working folder.
    void LinkTo(const std::string& folder) {
        MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
    }

    UpgradeOutcome UpgradeWithNewProgram() {
        ServeNewProgram();
        UiDriver& ui = Start();
        UpgradeOutcome outcome = RunUpgrade(ui);
        std::cout << "[ outcome  ] " << outcome.Describe() << "\n";
        if (!outcome.ended) {
            // Read after the last box has had time to be followed by another.
            onlyExit_ = OnlyExitEnabled(ui);
            // Exit when the command gave it back, else the close box.
            if (ui.Enabled(Control::cmdExit)) {
                ui.Click(Control::cmdExit);
            } else {
                ::PostMessageW(ui.MainWindow(), WM_CLOSE, 0, 0);
            }
            EXPECT_TRUE(ui.WaitForExit(5000));
        }
        return outcome;
    }

    void Hold(const std::string& path) { ASSERT_NE(HoldFile(path), nullptr) << path; }

    // The application's error report of a file that could not be written:
    // the one box, with the icon, that names the file and the system's reason.
    static void ExpectWriteReport(const UpgradeOutcome& outcome, const std::string& verb,
                                  const std::string& temp) {
        ASSERT_EQ(outcome.boxes.size(), 1u) << outcome.Describe();
        const DialogInfo& box = outcome.boxes[0];
        EXPECT_EQ(box.caption, "Pellinor");
        EXPECT_TRUE(box.hasIcon);
        const std::string named = "Cannot " + verb + " file \"" + temp + "\". ";
        EXPECT_EQ(box.text.compare(0, named.size(), named), 0) << box.text;
        EXPECT_GT(box.text.size(), named.size() + 1) << "no reason given";
    }

    // The failure notice, with only Exit given back.
    void ExpectNotice(const UpgradeOutcome& outcome, const std::vector<std::string>& texts) {
        ASSERT_EQ(outcome.boxes.size(), 1u) << outcome.Describe();
        EXPECT_EQ(outcome.boxes[0].caption, "Pellinor");
        EXPECT_NE(std::find(texts.begin(), texts.end(), outcome.boxes[0].text), texts.end())
            << outcome.boxes[0].text;
        EXPECT_TRUE(onlyExit_);
    }

    bool onlyExit_ = false;
};

TEST_F(DiskFaults, InstallationFolderReadOnly) {
    // A read-only directory attribute stops no write, on Windows or Wine; a
    // read-only mount does.
    if (!DriveExists(kReadOnlyDrive))
        GTEST_SKIP() << "no read-only drive R: (tests/e2e/wine-session mounts it when run as root)";
    ASSERT_EQ(TempFolder().rfind(kTestRootOnC, 0), 0u);
    const std::string writable = MakeFolder("Lock");
    ASSERT_TRUE(WriteBytes(writable + "Tessaron.Exe", oldBytes_));
    const std::string folder = kReadOnlyDrive + writable.substr(std::string(kTestRootOnC).size());
    ASSERT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_) << "R: shows drive C's test folder";
    if (WriteBytes(folder + "probe", "x")) GTEST_SKIP() << "drive R: is not read-only";
    LinkTo(folder);

    const UpgradeOutcome outcome = UpgradeWithNewProgram();
    ExpectPromisesKept(writable, outcome);
    ExpectWriteReport(outcome, "create", folder + "TessaronEng.tmp");
}

TEST_F(DiskFaults, TemporaryNameHeldByAnotherProgram) {
    // Where the download would be written, a file another program holds.
    const std::string folder = Install("Lock");
    ASSERT_TRUE(WriteBytes(folder + "TessaronEng.tmp", "an older attempt"));
    Hold(folder + "TessaronEng.tmp");

    const UpgradeOutcome outcome = UpgradeWithNewProgram();
    ExpectPromisesKept(folder, outcome, {"TessaronEng.tmp"});
    ExpectWriteReport(outcome, "create", folder + "TessaronEng.tmp");
    EXPECT_EQ(ReadBytes(folder + "TessaronEng.tmp"), "an older attempt");
}

TEST_F(DiskFaults, OldProgramReadOnly) {
    const std::string folder = Install("Lock");
    ::SetFileAttributesW(Widen(folder + "Tessaron.Exe").c_str(), FILE_ATTRIBUTE_READONLY);
    const UpgradeOutcome outcome = UpgradeWithNewProgram();
    ExpectPromisesKept(folder, outcome);
    ExpectNotice(outcome, {"System Error E0056, -5"});
    EXPECT_EQ(ReadBytes(folder + "TessaronEng.tmp"), newBytes_) << "the download waits beside it";
    ::SetFileAttributesW(Widen(folder + "Tessaron.Exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(DiskFaults, OldProgramHeldByAnotherProgram) {
    const std::string folder = Install("Lock");
    Hold(folder + "Tessaron.Exe");
    const UpgradeOutcome outcome = UpgradeWithNewProgram();
    ExpectPromisesKept(folder, outcome);
    // Wine reports a held file as access denied, Windows as in use.
    ExpectNotice(outcome, {"System Error E0056, -5", "System Error E0056, -32"});
    EXPECT_EQ(ReadBytes(folder + "TessaronEng.tmp"), newBytes_) << "the download waits beside it";
}

TEST_F(DiskFaults, DiskFullWhileTheDownloadIsWritten) {
    if (!DriveExists(kSmallDrive))
        GTEST_SKIP() << "no small drive Q: (tests/e2e/wine-session mounts it when run as root)";
    ULARGE_INTEGER free{}, total{};
    ASSERT_TRUE(::GetDiskFreeSpaceExW(Widen(kSmallDrive).c_str(), &free, &total, nullptr));
    std::cout << "[ drive Q: ] " << total.QuadPart << " bytes, " << free.QuadPart << " free\n";
    if (total.QuadPart > (8u << 20)) GTEST_SKIP() << "drive Q: is not a small file system";

    const std::string folder = std::string(kSmallDrive) + "DiskFull\\Lock\\";
    RemoveTree(std::string(kSmallDrive) + "DiskFull");
    ::CreateDirectoryW(Widen(std::string(kSmallDrive) + "DiskFull").c_str(), nullptr);
    ::CreateDirectoryW(Widen(folder).c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
    ASSERT_TRUE(::GetDiskFreeSpaceExW(Widen(kSmallDrive).c_str(), &free, &total, nullptr));
    // A new program larger than the room left.
    newBytes_ = WithVersionTrailer(program_ + std::string(free.QuadPart + (256u << 10), '\0'),
                                   "7.35.9 new");
    LinkTo(folder);

    const UpgradeOutcome outcome = UpgradeWithNewProgram();
    ExpectPromisesKept(folder, outcome);
    ExpectWriteReport(outcome, "write", folder + "TessaronEng.tmp");
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp")) << "no piece of the download stays";
    RemoveTree(std::string(kSmallDrive) + "DiskFull");
}

}  // namespace
}  // namespace pellinor::e2e

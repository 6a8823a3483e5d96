// The desktop shortcut scan on real folders, with a fake shortcut reader.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeFileVersions.h"
#include "fakes/FakeSignatures.h"
#include "fakes/FakeSystem.h"
#include "fakes/FakeWindow.h"
#include "platform/Error.h"
#include "platform/posix/PosixFileSystem.h"
#include "system/ShortcutScan.h"

namespace pellinor {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

// A fresh folder standing for drive C:, removed afterwards.
std::string MakeTempRoot() {
    std::string pattern = (fs::temp_directory_path() / "pellinor-scan-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

Items Sorted(Items items) {
    std::sort(items.begin(), items.end());
    return items;
}

class ScanTest : public ::testing::Test {
  protected:
    ~ScanTest() override { fs::remove_all(root_); }

    fs::path Host(const std::string& windowsPath) { return files.HostPath(windowsPath); }

    void Folder(const std::string& path) { fs::create_directories(Host(path)); }

    // A file, optionally last written in the middle of the given year (local time).
    void File(const std::string& path, int year = 0) {
        const fs::path host = Host(path);
        fs::create_directories(host.parent_path());
        std::ofstream(host) << "x";
        if (year == 0) return;
        struct tm t = {};
        t.tm_year = year - 1900;
        t.tm_mon = 5;
        t.tm_mday = 15;
        t.tm_hour = 12;
        t.tm_isdst = -1;
        const struct timespec times[2] = {{::mktime(&t), 0}, {::mktime(&t), 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, host.c_str(), times, 0), 0);
    }

    void Link(const std::string& path, const std::string& target) {
        fs::create_directories(Host(path).parent_path());
        fs::create_directory_symlink(target, Host(path));
    }

    void Shortcut(const std::string& path, const std::string& workingFolder) {
        File(path);
        shell.workingDirectories[path] = workingFolder;
    }

    Items List(const std::string& folder, const std::string& ext) {
        return MakeFileList(files, window, folder, ext);
    }

    // The installations the scan finds, each as its folder, marked when its
    // shortcut is on the user's own desktop.
    Items Found() {
        Items found;
        for (const Installation& i : FindInstallations(platform))
            found.push_back((i.ownDesktop ? "own " : "") + i.folder);
        return found;
    }

    const std::string root_ = MakeTempRoot();
    PosixFileSystem files{root_};
    FakeWindow window;
    FakeShell shell;
    FakeProcesses processes;
    FakeRegistry registry;
    FakeSystemInfo system;
    FakeSignatures signatures;
    FakeFileVersions versions;
    FakeCommandLock commandLock;
    Platform platform{window, files,      processes, registry,   shell,
                      system, signatures, versions,  commandLock};
};

TEST_F(ScanTest, MakeFileListFindsTheExtensionInAnyCaseThroughSubFolders) {
    File("C:\\D\\a.lnk");
    File("C:\\D\\B.LNK");
    File("C:\\D\\sub\\c.Lnk");
    File("C:\\D\\sub\\deeper\\d.lnk");
    File("C:\\D\\dir.lnk\\e.lnk");  // a folder named like a shortcut is walked, not listed
    File("C:\\D\\note.txt");
    File("C:\\D\\lnk");
    File("C:\\D\\x.lnk.bak");
    File("C:\\D\\sub\\.lnk");  // all extension, no name: still a match

    const Items expected =
        Sorted({"C:\\D\\B.LNK", "C:\\D\\a.lnk", "C:\\D\\dir.lnk\\e.lnk", "C:\\D\\sub\\.lnk",
                "C:\\D\\sub\\c.Lnk", "C:\\D\\sub\\deeper\\d.lnk"});
    const Items found = List("C:\\D", ".lnk");
    EXPECT_EQ(Sorted(found), expected);
    EXPECT_EQ(Sorted(List("C:\\D\\", ".LnK")), expected);

    // A sub-folder's files come as one block, where the folder was met.
    std::vector<size_t> inSub;
    for (size_t i = 0; i < found.size(); ++i) {
        if (found[i].rfind("C:\\D\\sub\\", 0) == 0) inSub.push_back(i);
    }
    ASSERT_EQ(inSub.size(), 3u);
    EXPECT_EQ(inSub.back() - inSub.front(), 2u);

    EXPECT_EQ(List("C:\\D", ".*").size(), 9u);
    EXPECT_EQ(Sorted(List("C:\\D", ".txt")), Items{"C:\\D\\note.txt"});
}

TEST_F(ScanTest, MakeFileListTrimsTheFolderAndGivesNothingForAMissingOne) {
    File("C:\\D\\a.lnk");
    EXPECT_EQ(List("  C:\\D \t", ".lnk"), Items{"C:\\D\\a.lnk"});
    EXPECT_TRUE(List("C:\\Nowhere", ".lnk").empty());
    EXPECT_TRUE(List("C:\\D\\a.lnk", ".lnk").empty());  // a file is no folder
    // An empty folder text is the drive's root.
    EXPECT_EQ(List("", ".lnk"), Items{"\\D\\a.lnk"});
}

TEST_F(ScanTest, MakeFileListPumpsMessagesOncePerDirectoryEntry) {
    File("C:\\D\\one.txt");
    File("C:\\D\\two.lnk");
    File("C:\\D\\sub\\three.lnk");
    int calls = 0;
    window.onProcessMessages = [&] { ++calls; };
    List("C:\\D", ".lnk");
    // D: ".", "..", one.txt, two.lnk, sub; sub: ".", "..", three.lnk.
    EXPECT_EQ(calls, 8);
}

TEST_F(ScanTest, MakeFileListEndsOnLinkLoopsAndStillFollowsOtherLinks) {
    File("C:\\D\\a.lnk");
    File("C:\\D\\sub\\b.lnk");
    Link("C:\\D\\sub\\up", "..");
    Link("C:\\D\\sub\\self", ".");
    File("C:\\Elsewhere\\c.lnk");
    Link("C:\\Elsewhere\\back", "../D");
    // Two ways into the same folder from outside the current path: both walked.
    Link("C:\\D\\x", "../Elsewhere");
    Link("C:\\D\\y", "../Elsewhere");

    // A walk that goes round a loop is stopped here rather than left to run
    // until the stack or the path length gives out.
    int entries = 0;
    window.onProcessMessages = [&] {
        if (++entries > 1000) throw std::runtime_error("the walk went round a loop");
    };
    const Items expected = {"C:\\D\\a.lnk", "C:\\D\\sub\\b.lnk", "C:\\D\\x\\c.lnk",
                            "C:\\D\\y\\c.lnk"};
    EXPECT_EQ(Sorted(List("C:\\D", ".lnk")), expected);
    // Entering through a link does not hide the loop either.
    EXPECT_EQ(Sorted(List("C:\\D\\x", ".lnk")),
              Sorted({"C:\\D\\x\\c.lnk", "C:\\D\\x\\back\\a.lnk", "C:\\D\\x\\back\\sub\\b.lnk"}));
}

TEST(DesktopPaths, TheUserFolderGivesWayToPublicOrAllUsers) {
    EXPECT_EQ(PublicDesktopFolder("C:\\Users\\alice\\Desktop"), "C:\\Users\\public\\Desktop");
    EXPECT_EQ(AllUsersDesktopFolder("C:\\Documents and Settings\\alice\\Desktop"),
              "C:\\Documents and Settings\\All Users\\Desktop");
    EXPECT_EQ(AllUsersDesktopFolder("C:\\Users\\alice\\Desktop"), "C:\\Users\\All Users\\Desktop");

    // One backslash: nothing.
    EXPECT_EQ(PublicDesktopFolder("C:\\Desktop"), "");
    EXPECT_EQ(AllUsersDesktopFolder("D:\\Desktop"), "");
    EXPECT_EQ(PublicDesktopFolder(""), "");
    // Two: the prefix and the word, with the component after them gone.
    EXPECT_EQ(PublicDesktopFolder("C:\\Users\\alice"), "C:\\Users\\public");
    EXPECT_EQ(AllUsersDesktopFolder("C:\\Users\\"), "C:\\Users\\All Users");
    // Four: the deeper components stay.
    EXPECT_EQ(PublicDesktopFolder("C:\\Users\\alice\\Work\\Desktop"),
              "C:\\Users\\public\\Work\\Desktop");
    EXPECT_EQ(AllUsersDesktopFolder("E:\\Profiles\\bob\\x\\Desktop"),
              "E:\\Profiles\\All Users\\x\\Desktop");
    // Blanks around the path go; the second backslash may be the first's neighbour.
    EXPECT_EQ(PublicDesktopFolder(" \tC:\\Users\\alice\\Desktop \r\n"),
              "C:\\Users\\public\\Desktop");
    EXPECT_EQ(PublicDesktopFolder("\\\\server\\share\\Desktop"), "\\\\public\\share\\Desktop");
    // Bytes of UTF-8 names pass through unchanged.
    EXPECT_EQ(PublicDesktopFolder("C:\\用户\\张三\\桌面"), "C:\\用户\\public\\桌面");
}

TEST_F(ScanTest, InstallationsComeDesktopByDesktopMarkedOnlyForTheUsersOwn) {
    shell.desktop = "  C:\\Users\\alice\\Desktop ";
    Shortcut("C:\\Users\\alice\\Desktop\\Tools\\One.LNK", "C:\\Apps\\One");
    Shortcut("C:\\Users\\public\\Desktop\\two.lnk", "C:/Apps/../Apps/./Two/");
    Shortcut("C:\\Users\\All Users\\Desktop\\three.lnk", "C:\\Apps\\Three");
    for (const char* app : {"One", "Two", "Three"})
        File(std::string("C:\\Apps\\") + app + "\\Tessaron.Exe");
    EXPECT_EQ(Found(), (Items{"own C:\\Apps\\One\\", "C:\\Apps\\Two\\", "C:\\Apps\\Three\\"}));
}

TEST_F(ScanTest, OnlyAFileNamedLikeTheProgramAndWrittenInRangeCounts) {
    File("C:\\Tessaron.Exe");  // what an empty working folder would wrongly find
    Shortcut("C:\\Users\\alice\\Desktop\\pro.lnk", "C:\\Pro");
    File("C:\\Pro\\TessaronPro.Exe");
    Shortcut("C:\\Users\\alice\\Desktop\\again.lnk", " C:\\Pro\\ ");
    Shortcut("C:\\Users\\alice\\Desktop\\lower.lnk", "C:\\Lower");
    File("C:\\Lower\\tessaron.exe");
    Shortcut("C:\\Users\\alice\\Desktop\\dir.lnk", "C:\\DirOnly");
    Folder("C:\\DirOnly\\Tessaron.Exe");
    Shortcut("C:\\Users\\alice\\Desktop\\other.lnk", "C:\\Other");
    File("C:\\Other\\Tessaron.Exe.bak");
    File("C:\\Other\\Tessaron.txt");
    Shortcut("C:\\Users\\alice\\Desktop\\empty.lnk", "");
    Shortcut("C:\\Users\\alice\\Desktop\\blank.lnk", " \t");
    File("C:\\Users\\alice\\Desktop\\unreadable.lnk");
    for (int year : {1979, 1980, 2107, 2108}) {
        const std::string folder = "C:\\Y" + std::to_string(year);
        Shortcut("C:\\Users\\alice\\Desktop\\y" + std::to_string(year) + ".lnk", folder);
        File(folder + "\\Tessaron.Exe", year);
    }

    EXPECT_EQ(Sorted(Found()), (Items{"own C:\\Lower\\", "own C:\\Pro\\", "own C:\\Pro\\",
                                      "own C:\\Y1980\\", "own C:\\Y2107\\"}));
    EXPECT_EQ(shell.shortcutsRead.size(), 12u);
}

TEST_F(ScanTest, AShallowOrEmptyDesktopWalksTheWholeDrive) {
    Shortcut("C:\\Desktop\\a.lnk", "C:\\App");
    shell.workingDirectories["\\Desktop\\a.lnk"] = "C:\\App";  // as a walk from the root names it
    File("C:\\App\\Tessaron.Exe");
    // The user's desktop itself, then the drive twice: the Public and All
    // Users paths of a desktop under the root are empty.
    shell.desktop = "C:\\Desktop";
    EXPECT_EQ(Found(), (Items{"own C:\\App\\", "C:\\App\\", "C:\\App\\"}));
    shell.desktop = "";
    EXPECT_EQ(Found(), (Items{"own C:\\App\\", "C:\\App\\", "C:\\App\\"}));
}

TEST_F(ScanTest, AShortcutObjectThatCannotBeMadeStopsTheScan) {
    Shortcut("C:\\Users\\alice\\Desktop\\a.lnk", "C:\\App");
    File("C:\\App\\Tessaron.Exe");
    shell.failToCreate = true;
    EXPECT_THROW(FindInstallations(platform), Error);
}

}  // namespace
}  // namespace pellinor

namespace pellinor {
namespace {

TEST_F(ScanTest, EveryShortcutReadGivesTheWindowATurn) {
    shell.desktop = "C:\\Users\\alice\\Desktop";
    for (int i = 0; i < 3; ++i)
        Shortcut("C:\\Users\\alice\\Desktop\\s" + std::to_string(i) + ".lnk", "");
    size_t readsAtLastPump = 0;
    int pumpsBetweenReads = 0;
    window.onProcessMessages = [&] {
        if (shell.shortcutsRead.size() > readsAtLastPump) ++pumpsBetweenReads;
        readsAtLastPump = shell.shortcutsRead.size();
    };
    FindInstallations(platform);
    ASSERT_EQ(shell.shortcutsRead.size(), 3u);
    // A pump follows each of the first two reads before the next one starts.
    EXPECT_GE(pumpsBetweenReads, 2);
}

}  // namespace
}  // namespace pellinor

// The real-folder file system that the scan tests and the benchmark stand on.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Error.h"
#include "platform/posix/PosixFileSystem.h"

namespace pellinor {
namespace {

namespace fs = std::filesystem;

// A fresh folder standing for drive C:, removed afterwards.
fs::path MakeTempRoot() {
    std::string pattern = (fs::temp_directory_path() / "pellinor-fs-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

class PosixFileSystemTest : public ::testing::Test {
  protected:
    ~PosixFileSystemTest() override { fs::remove_all(root); }

    void Put(const std::string& relative, const std::string& bytes) {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative, std::ios::binary) << bytes;
    }

    const fs::path root = MakeTempRoot();  // before files, which maps onto it
    PosixFileSystem files{root.string()};
};

TEST(PosixFileSystemPaths, WindowsPathsLandUnderTheRoot) {
    PosixFileSystem files("/srv/c/");
    EXPECT_EQ(files.HostPath("C:\\Users\\alice\\Desktop"), "/srv/c/Users/alice/Desktop");
    EXPECT_EQ(files.HostPath("d:\\a\\b\\"), "/srv/c/a/b");
    EXPECT_EQ(files.HostPath("\\a\\\\b"), "/srv/c/a/b");
    EXPECT_EQ(files.HostPath("\\"), "/srv/c");
    EXPECT_EQ(files.HostPath(""), "/srv/c");
    EXPECT_EQ(PosixFileSystem("/").HostPath("C:\\"), "/");
    EXPECT_EQ(PosixFileSystem("/").HostPath("C:\\x"), "/x");
    EXPECT_THROW(PosixFileSystem(""), std::invalid_argument);
}

TEST_F(PosixFileSystemTest, FindFirstMatchesTheLastComponentWithoutCase) {
    Put("App/TESSARONpro.exe", "x");
    fs::create_directories(root / "Dir" / "Tessaron.Exe");
    fs::create_directories(root / "dir");

    const auto pro = files.FindFirst("C:\\App\\Tessaron*.Exe");
    ASSERT_TRUE(pro);
    EXPECT_FALSE(pro->isDirectory);
    EXPECT_GE(pro->lastWriteYear, 2020);
    EXPECT_TRUE(files.FindFirst("C:\\App\\tessaronPRO.EXE"));
    EXPECT_TRUE(files.FindFirst("C:\\App\\T?ssaron*"));
    EXPECT_FALSE(files.FindFirst("C:\\App\\Tessaron*.Exe.bak"));
    EXPECT_FALSE(files.FindFirst("C:\\App\\Tessaron"));
    EXPECT_FALSE(files.FindFirst("C:\\Missing\\Tessaron*.Exe"));

    const auto dir = files.FindFirst("C:\\Dir\\Tessaron*.Exe");
    ASSERT_TRUE(dir);
    EXPECT_TRUE(dir->isDirectory);
    // Folders before the last component keep Linux's case rule.
    EXPECT_FALSE(files.FindFirst("C:\\DIR\\Tessaron*.Exe"));
}

TEST_F(PosixFileSystemTest, EntriesAndIdentitiesFollowLinks) {
    Put("D/file.txt", "x");
    fs::create_directories(root / "D" / "sub");
    fs::create_directory_symlink("sub", root / "D" / "linked");
    fs::create_symlink("nowhere", root / "D" / "dangling");

    std::map<std::string, bool> seen;
    EXPECT_TRUE(files.ForEachEntry(
        "C:\\D\\", [&](const std::string& name, bool isDirectory) { seen[name] = isDirectory; }));
    const std::map<std::string, bool> expected = {{".", true},         {"..", true},
                                                  {"file.txt", false}, {"sub", true},
                                                  {"linked", true},    {"dangling", false}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(files.ForEachEntry("C:\\Missing\\", [](const std::string&, bool) {}));

    const auto sub = files.DirectoryIdentity("C:\\D\\sub");
    ASSERT_TRUE(sub);
    EXPECT_EQ(files.DirectoryIdentity("C:\\D\\linked\\"), sub);
    EXPECT_FALSE(files.DirectoryIdentity("C:\\D") == sub);
    EXPECT_FALSE(files.DirectoryIdentity("C:\\D\\file.txt"));
    EXPECT_TRUE(files.DirectoryExists("C:\\D\\linked"));
    EXPECT_FALSE(files.DirectoryExists("C:\\D\\file.txt"));
    EXPECT_TRUE(files.FileExists("C:\\D\\file.txt"));
    EXPECT_FALSE(files.FileExists("C:\\D\\sub"));
}

TEST_F(PosixFileSystemTest, ReadsARangeUpToTheFilesEnd) {
    files.WriteFile("C:\\r.bin", std::string("0123456789\0ab", 13));
    EXPECT_EQ(files.ReadFileRange("C:\\r.bin", 0, 4), "0123");
    EXPECT_EQ(files.ReadFileRange("C:\\r.bin", 8, 100), std::string("89\0ab", 5));
    EXPECT_EQ(files.ReadFileRange("C:\\r.bin", 13, 4), "");  // from the end on: nothing left
    EXPECT_EQ(files.ReadFileRange("C:\\r.bin", 99, 4), "");
    EXPECT_EQ(files.ReadFileRange("C:\\missing", 0, 4), std::nullopt);
}

TEST_F(PosixFileSystemTest, WritesReadsReplacesAndDeletes) {
    files.WriteFile("C:\\a.tmp", std::string("new\0bytes", 9));
    EXPECT_EQ(files.ReadFile("C:\\a.tmp", 100), std::string("new\0bytes", 9));
    EXPECT_EQ(files.ReadFile("C:\\a.tmp", 3), "new");
    EXPECT_EQ(files.ReadFile("C:\\missing", 3), "");
    EXPECT_THROW(files.WriteFile("C:\\NoFolder\\a.tmp", "x"), CreateFileError);
    // A file already there is never opened, let alone cut or written into.
    EXPECT_THROW(files.WriteFile("C:\\a.tmp", "other"), CreateFileError);
    EXPECT_EQ(files.ReadFile("C:\\a.tmp", 100), std::string("new\0bytes", 9));

    Put("a.exe", "old");
    EXPECT_EQ(files.Replace("C:\\a.tmp", "C:\\a.exe"), 0u);
    EXPECT_EQ(files.ReadFile("C:\\a.exe", 100), std::string("new\0bytes", 9));
    EXPECT_FALSE(files.FileExists("C:\\a.tmp"));
    EXPECT_EQ(files.Replace("C:\\a.tmp", "C:\\a.exe"), 2u);
    fs::create_directories(root / "full" / "x");
    EXPECT_EQ(files.Replace("C:\\a.exe", "C:\\full"), 5u);  // a folder is in the way

    EXPECT_FALSE(files.IsReadOnly("C:\\a.exe"));
    fs::permissions(root / "a.exe", fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_TRUE(files.IsReadOnly("C:\\a.exe"));
    EXPECT_FALSE(files.IsReadOnly("C:\\missing"));

    EXPECT_TRUE(files.Remove("C:\\a.exe"));
    EXPECT_FALSE(files.Remove("C:\\a.exe"));
}

// The scratch file leaves no name behind, reads back what was added, and
// writes out ahead of the bytes in memory.
TEST_F(PosixFileSystemTest, AScratchFileIsNamelessAndWritesOutAheadOfTheTail) {
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before ? before : "";
    ::setenv("TMPDIR", root.c_str(), 1);
    const std::unique_ptr<ScratchFile> scratch = files.OpenScratchFile();
    before ? ::setenv("TMPDIR", saved.c_str(), 1) : ::unsetenv("TMPDIR");
    ASSERT_NE(scratch, nullptr);
    EXPECT_TRUE(fs::is_empty(root));

    const std::string big(kScratchPiece + 5, 'b');
    scratch->Append("stale", 5);
    scratch->Clear();
    scratch->Append(big.data(), big.size());
    scratch->Append("end", 3);
    EXPECT_EQ(scratch->Size(), big.size() + 3);
    char last[8] = {};
    EXPECT_EQ(scratch->Read(big.size() + 1, last, sizeof last), 2u);
    EXPECT_EQ(std::string(last, 2), "nd");

    files.WriteFile("C:\\whole.tmp", *scratch, "tail");
    EXPECT_EQ(files.ReadFile("C:\\whole.tmp", big.size() + 100), big + "endtail");
    EXPECT_THROW(files.WriteFile("C:\\whole.tmp", *scratch, "x"), CreateFileError);
}

TEST_F(PosixFileSystemTest, TheLogsCallsAppendMeasureAndMakeFolders) {
    EXPECT_TRUE(files.CreateFolder("C:\\Local"));
    EXPECT_TRUE(files.CreateFolder("C:\\Local"));  // there already: fine
    EXPECT_FALSE(files.CreateFolder("C:\\No\\Parent"));
    Put("file", "x");
    EXPECT_FALSE(files.CreateFolder("C:\\file"));  // a file is in the way

    EXPECT_EQ(files.FileSize("C:\\Local\\Pellinor.log"), std::nullopt);
    EXPECT_TRUE(files.AppendFile("C:\\Local\\Pellinor.log", "one\r\n"));
    EXPECT_TRUE(files.AppendFile("C:\\Local\\Pellinor.log", "two\r\n"));
    EXPECT_EQ(files.ReadFile("C:\\Local\\Pellinor.log", 100), "one\r\ntwo\r\n");
    EXPECT_EQ(files.FileSize("C:\\Local\\Pellinor.log"), 10u);
    EXPECT_EQ(files.FileSize("C:\\Local"), std::nullopt);  // a folder has no size here
    EXPECT_FALSE(files.AppendFile("C:\\No\\Parent\\Pellinor.log", "x"));
}

TEST(PosixFileSystemErrors, RenameFailuresMapToWindowsCodes) {
    for (int e : {EACCES, EPERM, EROFS, EXDEV, EISDIR})
        EXPECT_EQ(WindowsErrorFromErrno(e), 5u) << e;
    for (int e : {EBUSY, ETXTBSY}) EXPECT_EQ(WindowsErrorFromErrno(e), 32u) << e;
    for (int e : {ENOENT, ENOTDIR}) EXPECT_EQ(WindowsErrorFromErrno(e), 2u) << e;
    for (int e : {ENOSPC, EDQUOT}) EXPECT_EQ(WindowsErrorFromErrno(e), 112u) << e;
}

}  // namespace
}  // namespace pellinor

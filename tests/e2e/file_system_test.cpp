// Win32FileSystem on Wine's real file system: whole-file writes and their
// failure, replacement in one step and its refusal, directory identity,
// enumeration and the first match of a pattern. Names outside any ANSI code
// page prove the UTF-16 boundary.
#include <algorithm>
#include <cstdio>
#include <map>

#include "Fixture.h"
#include "platform/Error.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32FileSystem.h"

namespace pellinor::e2e {
namespace {

const std::string kChineseName = "门锁软件";

class FileSystemTest : public WineTest {
  protected:
    Win32FileSystem files_;
};

TEST_F(FileSystemTest, WriteFileThenReadFileGiveTheSameBytes) {
    const std::string folder = MakeFolder(kChineseName);
    const std::string path = folder + "新.tmp";
    std::string bytes = "MZ";
    bytes += std::string("\0\x01\xff\r\n", 5);
    bytes += std::string(300000, 'x');  // more than one read slice

    files_.WriteFile(path, bytes);

    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(files_.ReadFile(path, bytes.size() + 10), bytes);
    EXPECT_EQ(files_.ReadFile(path, 2), "MZ");
    EXPECT_TRUE(files_.FileExists(path));
    EXPECT_FALSE(files_.DirectoryExists(path));
    EXPECT_TRUE(files_.DirectoryExists(folder));
    EXPECT_FALSE(files_.FileExists(folder));
    EXPECT_EQ(files_.ReadFile(folder + "missing", 10), "");

    // A file already there is never opened: not cut, not written into.
    try {
        files_.WriteFile(path, "short");
        ADD_FAILURE() << "an existing file was written";
    } catch (const CreateFileError& error) {
        std::printf("over an existing file: %s\n", error.what());
        EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u);
    }
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(FileSystemTest, WriteFileThatCannotCreateSaysWhichFile) {
    const std::string path = TempFolder() + "no such folder\\Tessaron.tmp";
    try {
        files_.WriteFile(path, "bytes");
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        const std::string message = error.what();
        const std::string start = "Cannot create file \"" + path + "\". ";
        EXPECT_EQ(message.compare(0, start.size(), start), 0) << message;
        EXPECT_GT(message.size(), start.size()) << "the system's reason is missing";
        EXPECT_EQ(message.find('\r'), std::string::npos);
    }
    EXPECT_FALSE(PathExists(path));
}

TEST_F(FileSystemTest, ReplaceFilePutsTheNewFileInPlace) {
    const std::string folder = MakeFolder("install");
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", "old"));
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.tmp", "new"));

    EXPECT_EQ(files_.Replace(folder + "Tessaron.tmp", folder + "Tessaron.Exe"), 0u);
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), "new");
    EXPECT_FALSE(files_.FileExists(folder + "Tessaron.tmp"));

    // Also when nothing is there yet.
    ASSERT_TRUE(WriteBytes(folder + "other.tmp", "2"));
    EXPECT_EQ(files_.Replace(folder + "other.tmp", folder + "其他.exe"), 0u);
    EXPECT_EQ(ReadBytes(folder + "其他.exe"), "2");
}

TEST_F(FileSystemTest, ReplaceFileOfAHeldTargetIsRefusedAndChangesNothing) {
    const std::string folder = MakeFolder("held");
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", "old"));
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.tmp", "new"));
    ASSERT_NE(HoldFile(folder + "Tessaron.Exe"), nullptr);

    const uint32_t error = files_.Replace(folder + "Tessaron.tmp", folder + "Tessaron.Exe");

    EXPECT_TRUE(error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) << error;
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), "old");
    EXPECT_EQ(ReadBytes(folder + "Tessaron.tmp"), "new");
    EXPECT_FALSE(files_.Remove(folder + "Tessaron.Exe"));
}

TEST_F(FileSystemTest, ReadOnlyAndDelete) {
    const std::string path = MakeFolder("ro") + "Tessaron.Exe";
    ASSERT_TRUE(WriteBytes(path, "old"));
    EXPECT_FALSE(files_.IsReadOnly(path));
    ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(files_.IsReadOnly(path));
    EXPECT_FALSE(files_.Remove(path));  // refused, as on Windows
    EXPECT_TRUE(PathExists(path));
    ASSERT_TRUE(::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(files_.Remove(path));
    EXPECT_FALSE(PathExists(path));
    EXPECT_FALSE(files_.Remove(path));  // nothing left to remove
    EXPECT_FALSE(files_.IsReadOnly(path));
}

// A name taken (the one after the last used) is passed over, its file untouched.
TEST_F(FileSystemTest, AScratchFileNeverTakesOverAnExistingFile) {
    const std::string temp = MakeFolder("temp");
    wchar_t saved[MAX_PATH + 1] = {};
    ::GetEnvironmentVariableW(L"TMP", saved, MAX_PATH + 1);
    ::SetEnvironmentVariableW(L"TMP", Widen(temp).c_str());
    std::string next = "none";
    if (const auto first = files_.OpenScratchFile()) {
        files_.ForEachEntry(temp, [&](const std::string& name, bool) {
            if (name.rfind("pel", 0) != 0) return;  // "." and ".."
            char text[16];
            std::snprintf(text, sizeof text, "pel%08lX.tmp",
                          std::stoul(name.substr(3, 8), nullptr, 16) + 1);
            next = text;
        });
    }
    const bool made = WriteBytes(temp + next, "someone else's");
    const auto scratch = files_.OpenScratchFile();
    ::SetEnvironmentVariableW(L"TMP", saved[0] ? saved : nullptr);
    ASSERT_TRUE(made && scratch) << next;
    scratch->Append("ours", 4);
    EXPECT_EQ(ReadBytes(temp + next), "someone else's");
}

TEST_F(FileSystemTest, DirectoryIdentityNamesTheFolderNotTheSpelling) {
    const std::string a = MakeFolder("a");
    const std::string b = MakeFolder(kChineseName);
    const auto first = files_.DirectoryIdentity(a);
    const auto again = files_.DirectoryIdentity(TempFolder() + "A");  // other case, no "\"
    const auto other = files_.DirectoryIdentity(b);
    ASSERT_TRUE(first && again && other);
    EXPECT_TRUE(*first == *again);
    EXPECT_FALSE(*first == *other);
    EXPECT_FALSE(files_.DirectoryIdentity(TempFolder() + "missing"));
}

TEST_F(FileSystemTest, ForEachEntryGivesEveryNameWithItsKind) {
    const std::string folder = MakeFolder("walk");
    MakeFolder("walk\\子目录");
    ASSERT_TRUE(WriteBytes(folder + "a.lnk", "x"));
    ASSERT_TRUE(WriteBytes(folder + "快捷方式.LNK", "x"));

    std::map<std::string, bool> seen;
    ASSERT_TRUE(files_.ForEachEntry(
        folder, [&](const std::string& name, bool isDirectory) { seen[name] = isDirectory; }));

    const std::map<std::string, bool> expected{
        {".", true}, {"..", true}, {"子目录", true}, {"a.lnk", false}, {"快捷方式.LNK", false}};
    EXPECT_EQ(seen, expected);
    EXPECT_FALSE(files_.ForEachEntry(folder + "missing\\", [](const std::string&, bool) {}));
}

TEST_F(FileSystemTest, FindFirstGivesKindAndLocalYear) {
    const std::string folder = MakeFolder("find");
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    EXPECT_FALSE(files_.FindFirst(folder + "Tessaron*.Exe"));

    ASSERT_TRUE(WriteBytes(folder + "TessaronPro.exe", "x"));
    auto match = files_.FindFirst(folder + "Tessaron*.Exe");
    ASSERT_TRUE(match);
    EXPECT_FALSE(match->isDirectory);
    // Written a moment ago: this year, or last year's last second.
    EXPECT_GE(match->lastWriteYear, now.wYear - 1);
    EXPECT_LE(match->lastWriteYear, now.wYear);

    // A year set through the local-time conversion comes back as set.
    const std::string dated = folder + "dated.exe";
    ASSERT_TRUE(WriteBytes(dated, "x"));
    SYSTEMTIME local{};
    local.wYear = 1995;
    local.wMonth = 6;
    local.wDay = 15;
    local.wHour = 12;
    FILETIME localTime{}, utc{};
    ASSERT_TRUE(::SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(::LocalFileTimeToFileTime(&localTime, &utc));
    HANDLE file = ::CreateFileW(Widen(dated).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::SetFileTime(file, nullptr, nullptr, &utc);
    ::CloseHandle(file);
    match = files_.FindFirst(folder + "dated*");
    ASSERT_TRUE(match);
    EXPECT_EQ(match->lastWriteYear, 1995);

    const std::string directoryFolder = MakeFolder("find2");
    MakeFolder("find2\\Tessaron.Exe");
    match = files_.FindFirst(directoryFolder + "Tessaron*.Exe");
    ASSERT_TRUE(match);
    EXPECT_TRUE(match->isDirectory);
}

}  // namespace
}  // namespace pellinor::e2e

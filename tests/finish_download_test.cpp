// The last steps of a download: the test that it is a program, the
// replacement, and the check of the target in pieces against the digest of
// what was downloaded.
#include <gtest/gtest.h>

#include "commands/PutInPlace.h"
#include "commands/signatures/FileDigest.h"
#include "commands/signatures/ProgramHeaders.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramBytes.h"

namespace pellinor {
namespace {

const std::string kTemp = "C:\\Lock\\TessaronEng.tmp";
const std::string kTarget = "C:\\Lock\\Tessaron.Exe";

std::string Program(size_t size, char fill = 'p') {
    std::string bytes(size, fill);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (size_t i = 2; i < size; i += 4093) bytes[i] = static_cast<char>(i / 4093);
    return bytes;
}

struct Finish : ::testing::Test {
    Finish() {
        fake.files.AddFolder("C:\\Lock\\");
        fake.files.AddFile(kTarget, "MZ the old program");
    }
    StepResult Run() { return ReplaceAndVerify(PumpingReplaceSite(fake.platform), kTemp, kTarget); }
    FakePlatform fake;
};

TEST_F(Finish, ALargeProgramIsPutInPlaceWithoutBeingHeldWhole) {
    const std::string program = Program(3 * kDigestPieceBytes + 5);
    fake.files.AddFile(kTemp, program);
    EXPECT_EQ(Run().step, Step::Done);
    EXPECT_EQ(fake.files.Bytes(kTarget), program);
    EXPECT_FALSE(fake.files.FileExists(kTemp));
    EXPECT_LE(fake.files.largestRead, kDigestPieceBytes);
}

// The program test reads the headers the system reads to start a file, in
// bounded reads.
TEST_F(Finish, OnlyAProgramTheSystemWouldStartCountsAsOne) {
    const std::string program = ProgramBytes("the rest");
    const auto with = [&](size_t at, char value) {
        std::string bytes = program;
        bytes[at] = value;
        return bytes;
    };
    constexpr size_t kPe = 64;  // where ProgramBytes puts the NT headers
    const struct {
        const char* what;
        std::string bytes;
        bool program;
    } rows[] = {
        {"an i386 program", program, true},
        {"an AMD64 program", with(kPe + 5, '\x86').replace(kPe + 4, 1, "\x64"), false},
        {"a PE32+ optional header", with(kPe + 25, 0x02), false},
        {"a section whose data runs past the end (a program's head, then a page)",
         with(kPe + 24 + 224 + 17, 0x40) + std::string(8192, ' '), false},
        {"no section", with(kPe + 6, 0), false},
        {"a login page that begins with MZ", "MZ<html>hotel login</html>" + std::string(2000, ' '),
         false},
        {"a page before the program", "<html>" + program, false},
        {"nothing but the mark", "MZ", false},
        {"a DOS header cut short", program.substr(0, kDosHeaderBytes - 1), false},
        {"no PE signature where the DOS header points", with(kPe + 2, 'X'), false},
        {"the headers pointed at from inside the DOS header",
         with(0x3C, 4).replace(4, 24, program.substr(kPe, 24)), false},
        {"headers past the end of the file", with(0x3C, '\x7F'), false},
        {"a file header cut short", program.substr(0, kPe + 23), false},
        {"another machine (ARM)", with(kPe + 4, '\xC0'), false},
        {"not marked executable", with(kPe + 22, 0), false},
        {"a DLL", with(kPe + 23, 0x20), false},
    };
    for (const auto& row : rows) {
        fake.files.largestRead = 0;
        fake.files.AddFile(kTemp, row.bytes);
        EXPECT_EQ(IsWindowsProgram(fake.files, kTemp), row.program) << row.what;
        EXPECT_LE(fake.files.largestRead, kNtHeadersToSecurityEntry) << row.what;
    }
}

TEST_F(Finish, ATargetThatDoesNotHoldTheDownloadAfterwardsFailsTheCheck) {
    fake.files.AddFile(kTemp, Program(kDigestPieceBytes + 1));
    fake.files.replaceDoesNothing = true;
    EXPECT_EQ(Run().step, Step::Verify);

    fake.files.replaceDoesNothing = false;
    fake.files.AddFile(kTemp, Program(5000));
    fake.files.unreadable.insert("C:\\LOCK\\TESSARON.EXE");
    EXPECT_EQ(Run().step, Step::Verify);
}

TEST(FileDigest, TellsEveryDifferenceOfContentOrSize) {
    FakeFileSystem files;
    files.AddFolder("C:\\");
    const std::string program = Program(2 * kDigestPieceBytes + 7);
    files.AddFile("C:\\a", program);
    files.AddFile("C:\\same", program);
    const auto digest = DigestFile(files, "C:\\a");
    ASSERT_TRUE(digest);
    EXPECT_EQ(digest->size, program.size());
    EXPECT_EQ(DigestFile(files, "C:\\same"), digest);

    std::string changed = program;
    changed[kDigestPieceBytes + 3] ^= 1;  // one bit in the second piece
    files.AddFile("C:\\changed", changed);
    EXPECT_NE(DigestFile(files, "C:\\changed"), digest);
    files.AddFile("C:\\longer", program + std::string(1, '\0'));
    EXPECT_NE(DigestFile(files, "C:\\longer"), digest);
    files.AddFile("C:\\cut", program.substr(0, kDigestPieceBytes));
    EXPECT_NE(DigestFile(files, "C:\\cut"), digest);
    // Words swapped between lanes are a different file too.
    std::string swapped = program;
    std::swap(swapped[4], swapped[8]);
    if (swapped != program) {
        files.AddFile("C:\\swapped", swapped);
        EXPECT_NE(DigestFile(files, "C:\\swapped"), digest);
    }
    EXPECT_EQ(DigestFile(files, "C:\\missing"), std::nullopt);
}

TEST(FileDigest, AFileOfExactlyOnePieceAndAnEmptyFile) {
    FakeFileSystem files;
    files.AddFolder("C:\\");
    files.AddFile("C:\\piece", Program(kDigestPieceBytes));
    files.AddFile("C:\\empty", "");
    const auto piece = DigestFile(files, "C:\\piece");
    const auto empty = DigestFile(files, "C:\\empty");
    ASSERT_TRUE(piece);
    ASSERT_TRUE(empty);
    EXPECT_EQ(piece->size, kDigestPieceBytes);
    EXPECT_EQ(empty->size, 0u);
    EXPECT_NE(piece, empty);
}

}  // namespace
}  // namespace pellinor

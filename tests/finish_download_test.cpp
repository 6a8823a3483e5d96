// The last steps of a download: the executable test on its first bytes, the
// replacement, and the check of the target in pieces against the digest of
// what was downloaded.
#include <gtest/gtest.h>

#include "commands/FileDigest.h"
#include "commands/PutInPlace.h"
#include "fakes/FakePlatform.h"

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

TEST_F(Finish, OnlyTheFirstTwoBytesDecideWhetherItIsAProgram) {
    fake.files.AddFile(kTemp, "<html>" + Program(kDigestPieceBytes));
    EXPECT_FALSE(HoldsProgram(fake.files, kTemp));
    EXPECT_LE(fake.files.largestRead, 2u);
    fake.files.AddFile(kTemp, "Z");  // shorter than the mark itself
    EXPECT_FALSE(HoldsProgram(fake.files, kTemp));
    fake.files.AddFile(kTemp, "MZ");
    EXPECT_TRUE(HoldsProgram(fake.files, kTemp));
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

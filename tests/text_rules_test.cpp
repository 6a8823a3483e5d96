// The byte rules shared by every part of the program.
#include <gtest/gtest.h>

#include "text/TextRules.h"

namespace pellinor {
namespace {

TEST(TextRules, TrimRemovesControlBytesAndBlanksButNeverHighBytes) {
    EXPECT_EQ(Trim(std::string("\x01\t \r\nabc \x1f\x20", 10)), "abc");
    EXPECT_EQ(Trim(std::string("\0a\0", 3)), "a");
    EXPECT_EQ(Trim("  \xE4\xB8\xAD  "), "\xE4\xB8\xAD");
    EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(Trim(" \t "), "");
}

TEST(TextRules, UpperCasingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(UpperAscii("Program Files (x86)\\ab\xC3\xA4z"), "PROGRAM FILES (X86)\\AB\xC3\xA4Z");
    EXPECT_EQ(LowerAscii("PELLINOR.EXE \xC3\x84"), "pellinor.exe \xC3\x84");
    EXPECT_TRUE(SameTextAscii("tessaron.exe", "TESSARON.EXE"));
    EXPECT_FALSE(SameTextAscii("tessaron.exe", "tessaron.ex"));
    EXPECT_FALSE(SameTextAscii("\xC3\xA4", "\xC3\x84"));  // non-ASCII letters keep their case
}

TEST(TextRules, PositionsAreOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("X86", "C:\\X86\\"), 4u);
    EXPECT_EQ(Pos("X86", "X86"), 1u);
    EXPECT_EQ(Pos("X86", "C:\\x86"), 0u);
    EXPECT_EQ(Pos("", "abc"), 0u);
}

TEST(TextRules, FileNameAndExtensionStopAtBackslashOrColon) {
    EXPECT_EQ(ExtractFileName("C:\\Tools\\Pellinor.exe"), "Pellinor.exe");
    EXPECT_EQ(ExtractFileName("C:Pellinor.exe"), "Pellinor.exe");
    EXPECT_EQ(ExtractFileName("plain"), "plain");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\file.LnK"), ".LnK");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\file"), "");
    EXPECT_EQ(ExtractFileExt("C:.x"), ".x");
    EXPECT_EQ(ExtractFileExt("archive.tar.gz"), ".gz");
}

TEST(TextRules, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
}

TEST(TextRules, TrailingBackslashIsAddedOnce) {
    EXPECT_EQ(WithTrailingBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(TextRules, OneFolderHasOneNormalText) {
    for (const char* written :
         {"C:\\Hotel\\.\\Tessaron", "C:\\Hotel\\..\\Hotel\\Tessaron", "C:/Hotel/Tessaron/",
          "C:\\Hotel\\\\Tessaron\\", "C:\\..\\Hotel\\Tessaron"}) {
        EXPECT_EQ(NormalFolder(written), "C:\\Hotel\\Tessaron\\") << written;
    }
    EXPECT_EQ(NormalFolder("\\\\srv\\share\\..\\x"), "\\\\srv\\share\\x\\");
    EXPECT_EQ(NormalFolder("C:\\"), "C:\\");
}

}  // namespace
}  // namespace pellinor

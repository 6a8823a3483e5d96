// The byte counts of the status line.
#include "window/ByteSize.h"

#include <gtest/gtest.h>

namespace pellinor {
namespace {

std::string Size(int32_t bytes) {
    return FormatByteSize(bytes, ".");
}

TEST(FormatByteSize, KilobytesUpTo1000) {
    EXPECT_EQ(Size(0), "0 KB");
    EXPECT_EQ(Size(1536), "2 KB");  // 1.5 rounds to 2
    EXPECT_EQ(Size(2560), "2 KB");  // 2.5 rounds to 2
    EXPECT_EQ(Size(3584), "4 KB");  // 3.5 rounds to 4
    EXPECT_EQ(Size(511), "0 KB");
    EXPECT_EQ(Size(512), "0 KB");  // 0.5 rounds to 0
    EXPECT_EQ(Size(513), "1 KB");
    EXPECT_EQ(Size(1000 * 1024), "1000 KB");
    EXPECT_EQ(Size(1000 * 1024 + 512), "1000 KB");  // 1000.5 rounds to 1000
    EXPECT_EQ(Size(-2048), "-2 KB");
}

TEST(FormatByteSize, MegabytesAbove1000Kilobytes) {
    EXPECT_EQ(Size(1000 * 1024 + 513), "0.98 MB");  // 1001 KB
    EXPECT_EQ(Size(1001 * 1024), "0.98 MB");
    EXPECT_EQ(Size(1001 * 1024 + 512), "0.98 MB");  // 1001.5 rounds to 1002 KB = 0.978...
    EXPECT_EQ(Size(3 * 1024 * 1024), "3.00 MB");
    EXPECT_EQ(Size(1023 * 1024), "1.00 MB");
    EXPECT_EQ(Size(2147483647), "2048.00 MB");
}

TEST(FormatByteSize, TwoDecimalsRoundHalvesAwayFromZero) {
    EXPECT_EQ(Size(1152 * 1024), "1.13 MB");  // exactly 1.125
    EXPECT_EQ(Size(1184 * 1024), "1.16 MB");  // exactly 1.15625
    EXPECT_EQ(Size(1664 * 1024), "1.63 MB");  // exactly 1.625
    EXPECT_EQ(Size(1050 * 1024), "1.03 MB");  // 1.025390625
    EXPECT_EQ(Size(1035 * 1024), "1.01 MB");  // 1.0107421875
    EXPECT_EQ(Size(2555 * 1024), "2.50 MB");  // 2.4951171875
}

TEST(FormatByteSize, TheDecimalSeparatorIsTheUsers) {
    EXPECT_EQ(FormatByteSize(1152 * 1024, ","), "1,13 MB");
    EXPECT_EQ(FormatByteSize(2000 * 1024 * 1024, ","), "2000,00 MB");  // never grouped
    EXPECT_EQ(FormatByteSize(1536, ","), "2 KB");
}

}  // namespace
}  // namespace pellinor

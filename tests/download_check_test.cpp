// What an upgrade's download is held to besides its bytes: an installation
// that was signed but whose signer cannot be established takes nothing, no
// download goes backwards in version, and none is another program.
#include <gtest/gtest.h>

#include "commands/DownloadCheck.h"
#include "commands/PublisherCheck.h"
#include "commands/VersionCheck.h"
#include "fakes/CommandRig.h"

namespace pellinor {
namespace {

const std::string kFolder = "C:\\Lock\\";
const std::string kInstalled = kFolder + "Tessaron.Exe";
const std::string kKey = "1.2.840.113549.1.1.1|key K";
const std::string kMaker = "CN=Tessaron Lock Maker, O=Tessaron, C=CN";

// The headers of a program whose security directory points at a table.
std::string SignedHeaders() {
    std::string bytes(0x80 + 24 + 0xE0, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = static_cast<char>(0x80);
    bytes.replace(0x80, 4, std::string("PE\0\0", 4));
    bytes[0x80 + 20] = static_cast<char>(0xE0);  // SizeOfOptionalHeader
    bytes[0x80 + 24] = 0x0B;                     // PE32
    bytes[0x80 + 25] = 0x01;
    bytes[0x80 + 24 + 92] = 16;                // directories
    bytes[0x80 + 24 + 96 + 4 * 8 + 5] = 0x05;  // the table's size, 0x500
    return bytes;
}

FileVersion Version(uint64_t number, const std::string& name) {
    return FileVersion{true, number, name};
}
constexpr uint64_t k7_35_1 = 0x0007'0023'0001'0000;
constexpr uint64_t k7_35_9 = 0x0007'0023'0009'0000;

struct CheckedUpgrade : CommandRig {
    bool tempAtBox = true;

    explicit CheckedUpgrade(const std::string& installedBytes = "MZ old lock program") {
        served = ProgramBytes("new lock program");
        installations = {{kFolder, false}};
        fake.files.AddFolder(kFolder);
        fake.files.AddFile(kInstalled, installedBytes);
        fake.window.onBox = [this](const ShownBox&) { tempAtBox = fake.files.FileExists(Temp()); };
    }
    std::string Temp() const { return kFolder + (chinese ? "Tessaron.tmp" : "TessaronEng.tmp"); }
    void Run() { RunUpgrade(); }
};

TEST(InstalledSigner, OnlyAProgramWithoutACertificateTableCountsAsUnsigned) {
    using V = PublisherVerdict;
    const FileSignature unreadable{SignatureState::Broken, false, 0x80096010, "", "", ""};
    const FileSignature pinned{SignatureState::Intact, true, 0, kKey, kMaker, ""};
    const struct {
        FileSignature installed;
        CertificateTable table;
        V expected;
    } rows[] = {
        {FileSignature{}, CertificateTable::Absent, V::Accept},
        {unreadable, CertificateTable::Absent, V::Accept},
        {FileSignature{}, CertificateTable::Present, V::RefuseInstalledSignerUnknown},
        {unreadable, CertificateTable::Present, V::RefuseInstalledSignerUnknown},
        {unreadable, CertificateTable::Unreadable, V::RefuseInstalledUnreadable},
        {pinned, CertificateTable::Present, V::Accept},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JudgePublisher(row.installed, row.table, pinned), row.expected)
            << static_cast<int>(row.table);
    }
}

TEST(VersionRule, LowerVersionsAndOtherNamesAreRefusedWhereBothFilesSayThem) {
    using V = VersionVerdict;
    const FileVersion none;
    const FileVersion numberOnly{true, k7_35_1, ""};
    const FileVersion nameOnly{true, std::nullopt, "Tessaron.Exe"};
    const struct {
        FileVersion installed, downloaded;
        V expected;
    } rows[] = {
        {Version(k7_35_9, "Tessaron.Exe"), Version(k7_35_1, "Tessaron.Exe"), V::RefuseOlder},
        {Version(k7_35_9, "Tessaron.Exe"), Version(k7_35_9 - 1, "Tessaron.Exe"), V::RefuseOlder},
        {Version(k7_35_9, "Tessaron.Exe"), Version(k7_35_9, "TESSARON.exe"), V::Accept},
        {Version(k7_35_1, "Tessaron.Exe"), Version(k7_35_9, "Tessaron.Exe"), V::Accept},
        {Version(k7_35_1, "Tessaron.Exe"), Version(k7_35_9, "SdkSetup.exe"), V::RefuseOtherProgram},
        {Version(k7_35_9, "Tessaron.Exe"), Version(k7_35_1, "SdkSetup.exe"), V::RefuseOtherProgram},
        {Version(k7_35_9, "Tessaron.Exe"), none, V::Accept},
        {none, Version(k7_35_1, "SdkSetup.exe"), V::Accept},
        {Version(k7_35_9, "Tessaron.Exe"), numberOnly, V::RefuseOlder},
        {numberOnly, Version(k7_35_9, "SdkSetup.exe"), V::Accept},
        {nameOnly, Version(k7_35_1, "Tessaron.Exe"), V::Accept},
        {nameOnly, Version(k7_35_1, "Tool.exe"), V::RefuseOtherProgram},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JudgeVersions(row.installed, row.downloaded), row.expected)
            << row.installed.name << " " << row.downloaded.name;
    }
    EXPECT_EQ(VersionText(k7_35_9), "7.35.9.0");
    EXPECT_EQ(VersionText(~uint64_t{0}), "65535.65535.65535.65535");
}

TEST(DownloadCheck, EachRefusalNamesItsReasonKeepsTheProgramAndLeavesOnlyExit) {
    const FileSignature signerless{SignatureState::Broken, false, 0x80096010, "", "", ""};
    const struct {
        const char* what;
        std::string installedBytes;
        FileSignature installedSignature;
        bool installedUnreadable;
        FileVersion installed, downloaded;
        bool chinese;
        const char* caption;
        std::string text;
    } rows[] = {
        {"signed, signer unreadable",
         SignedHeaders(),
         signerless,
         false,
         {},
         {},
         false,
         "N9086",
         Tr(TextId::N9086, false)},
        {"signed, signer unreadable",
         SignedHeaders(),
         FileSignature{},
         false,
         {},
         {},
         true,
         "N9086",
         Tr(TextId::N9086, true)},
        {"cannot be read",
         SignedHeaders(),
         FileSignature{},
         true,
         {},
         {},
         true,
         "N9086",
         Tr(TextId::N9086Unreadable, true)},
        {"older", "MZ old", FileSignature{}, false, Version(k7_35_9, "Tessaron.Exe"),
         Version(k7_35_1, "Tessaron.Exe"), false, "N9087",
         "The downloaded Tessaron.Exe is version 7.35.1.0, older than the installed version "
         "7.35.9.0, and an older release never replaces a newer one.\n"
         "The installed program was kept.\n\nThe Tessaron-System location: \n"},
        {"older", "MZ old", FileSignature{}, false, Version(k7_35_9, "Tessaron.Exe"),
         Version(k7_35_1, "Tessaron.Exe"), true, "N9087",
         "下载的 Tessaron.Exe 是 7.35.1.0 版，比已安装的 7.35.9.0 版旧：不能用旧版本替换新版本。\n"
         "已保留原来的门锁软件。\n\n门锁软件所在的位置："},
        {"another program", "MZ old", FileSignature{}, false, Version(k7_35_1, "Tessaron.Exe"),
         Version(k7_35_9, "SdkSetup\r\n%2.exe"), false, "N9088",
         "The downloaded file is \"SdkSetup??%2.exe\", not the installed \"Tessaron.Exe\" (by the "
         "names in their version information).\nThe installed program was kept.\n\n"
         "The Tessaron-System location: \n"},
        {"another program", "MZ old", FileSignature{}, false, Version(k7_35_1, "Tessaron.Exe"),
         Version(k7_35_9, "SdkSetup.exe"), true, "N9088",
         "下载的文件是“SdkSetup.exe”，不是已安装的“Tessaron.Exe”（两者版本信息中的文件名不同）。\n"
         "已保留原来的门锁软件。\n\n门锁软件所在的位置："},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CheckedUpgrade u(row.installedBytes);
        u.SetChinese(row.chinese);
        u.fake.signatures.byPath[kInstalled] = row.installedSignature;
        if (row.installedUnreadable) u.fake.files.unreadable.insert("C:\\LOCK\\TESSARON.EXE");
        u.fake.versions.byPath[kInstalled] = row.installed;
        u.fake.versions.byPath[u.Temp()] = row.downloaded;
        u.Run();

        ASSERT_EQ(u.fake.window.boxes.size(), 2u) << "confirmation and refusal only";
        const ShownBox& box = u.fake.window.boxes.back();
        EXPECT_EQ(box.caption, row.caption);
        EXPECT_EQ(box.style, static_cast<unsigned>(kStyleError));
        EXPECT_EQ(box.text, row.text + kFolder);
        EXPECT_FALSE(u.tempAtBox) << "the download is gone before the box";
        EXPECT_EQ(u.fake.files.Bytes(kInstalled), row.installedBytes);
        EXPECT_FALSE(u.fake.files.FileExists(u.Temp()));
        EXPECT_TRUE(u.fake.window.Enabled(Control::cmdExit));
        EXPECT_FALSE(u.fake.window.Enabled(Control::BitBtn2));
        EXPECT_FALSE(u.fake.window.terminated);
    }
}

TEST(DownloadCheck, UnsignedEqualNewerOrUndescribedProgramsReplaceTheInstalledOne) {
    const struct {
        const char* what;
        std::string installedBytes;
        FileVersion installed, downloaded;
    } rows[] = {
        {"no certificate table", "MZ old", {}, {}},
        {"equal version: a repair", "MZ old", Version(k7_35_9, "Tessaron.Exe"),
         Version(k7_35_9, "tessaron.exe")},
        {"newer", "MZ old", Version(k7_35_1, "Tessaron.Exe"), Version(k7_35_9, "Tessaron.Exe")},
        {"download without a version resource", "MZ old", Version(k7_35_9, "Tessaron.Exe"), {}},
        {"installation without one", "MZ old", {}, Version(k7_35_1, "SdkSetup.exe")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        CheckedUpgrade u(row.installedBytes);
        u.fake.versions.byPath[kInstalled] = row.installed;
        u.fake.versions.byPath[u.Temp()] = row.downloaded;
        u.Run();
        EXPECT_EQ(u.fake.window.boxes.back().caption, "N9082");
        EXPECT_EQ(u.fake.files.Bytes(kInstalled), u.served);
    }
}

TEST(DownloadCheck, AMissingInstalledProgramPinsNothing) {
    CheckedUpgrade u;
    u.fake.files.Remove(kInstalled);
    u.Run();
    EXPECT_EQ(u.fake.window.boxes.back().caption, "N9082");
    EXPECT_EQ(u.fake.files.Bytes(kInstalled), u.served);
}

TEST(DownloadCheck, ANameIsShownWithoutControlsAndCutAtItsLimit) {
    const std::string exact(kShownNameBytes, 'a');
    EXPECT_EQ(ShownName(exact), exact);
    EXPECT_EQ(ShownName(exact + "b"), exact + "...");
    EXPECT_EQ(ShownName("a\nb\x7F"), "a?b?");
    // "门" is three bytes: one that would be cut in half goes whole.
    const std::string chinese = std::string(kShownNameBytes - 1, 'a') + "门";
    EXPECT_EQ(ShownName(chinese), std::string(kShownNameBytes - 1, 'a') + "...");
}

}  // namespace
}  // namespace pellinor

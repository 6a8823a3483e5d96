// The publisher check: the rule over every pairing of an installed program's
// signature with its download's, and the upgrade that keeps a signed
// installation from taking a program of anyone else.
#include <gtest/gtest.h>

#include "commands/PublisherCheck.h"
#include "fakes/CommandRig.h"
#include "text/Texts.h"

namespace pellinor {
namespace {

using V = PublisherVerdict;

const std::string kKey = "1.2.840.113549.1.1.1|key K";
const std::string kOtherKey = "1.2.840.113549.1.1.1|key L";
const std::string kMaker = "CN=Tessaron Lock Maker, O=Tessaron, C=CN";
const std::string kStranger = "CN=Someone Else, O=Elsewhere";
constexpr uint32_t kUntrustedRoot = 0x800B0109;
constexpr uint32_t kExpired = 0x800B0101;
constexpr uint32_t kBadDigest = 0x80096010;
constexpr uint32_t kNoSignature = 0x800B0100;

FileSignature Unsigned() {
    return {SignatureState::None, false, kNoSignature, "", "", ""};
}
FileSignature Intact(const std::string& key, const std::string& subject, bool trusted,
                     uint32_t result = 0) {
    return {SignatureState::Intact, trusted, trusted ? 0 : result, key, subject, ""};
}
FileSignature Broken(const std::string& key, const std::string& subject) {
    return {SignatureState::Broken, false, kBadDigest, key, subject, ""};
}

// The rule for an installation whose certificate table is as its signature
// says: there when a signer was read, absent when none was.
PublisherVerdict Judge(const FileSignature& installed, const FileSignature& downloaded) {
    const CertificateTable table =
        installed.publicKey.empty() ? CertificateTable::Absent : CertificateTable::Present;
    return JudgePublisher(installed, table, downloaded);
}

TEST(PublisherRule, AnUnsignedInstallationTakesWhatPassedTheOtherChecks) {
    for (const FileSignature& download :
         {Unsigned(), Broken(kKey, kMaker), Intact(kOtherKey, kStranger, false)}) {
        EXPECT_EQ(Judge(Unsigned(), download), V::Accept);
    }
}

TEST(PublisherRule, ThePinnedKeyDecidesWhateverTheSystemThinksOfItsCertificate) {
    const FileSignature installed = Intact(kKey, kMaker, false, kUntrustedRoot);
    EXPECT_EQ(Judge(installed, Intact(kKey, kMaker, true)), V::Accept);
    EXPECT_EQ(Judge(installed, Intact(kKey, kMaker, false, kUntrustedRoot)), V::Accept);
    EXPECT_EQ(Judge(installed, Intact(kKey, kMaker, false, kExpired)), V::Accept);
    EXPECT_EQ(Judge(installed, Intact(kKey, kStranger, false)), V::Accept)
        << "the key, not the name, is the publisher";
    // An installed program whose own signature broke still names its key.
    EXPECT_EQ(Judge(Broken(kKey, kMaker), Intact(kKey, kMaker, false)), V::Accept);
    EXPECT_EQ(Judge(Broken(kKey, kMaker), Unsigned()), V::RefuseUnsigned);
}

TEST(PublisherRule, UnsignedOrBrokenDownloadsAreAlwaysRefused) {
    const FileSignature installed = Intact(kKey, kMaker, true);
    EXPECT_EQ(Judge(installed, Unsigned()), V::RefuseUnsigned);
    EXPECT_EQ(Judge(installed, Broken(kKey, kMaker)), V::RefuseBroken)
        << "the right key does not save a signature that no longer covers the bytes";
    FileSignature trustedButBroken = Broken(kKey, kMaker);
    trustedButBroken.trusted = true;
    EXPECT_EQ(Judge(installed, trustedButBroken), V::RefuseBroken);
    EXPECT_EQ(Judge(installed, Intact("", "", true)), V::RefuseBroken)
        << "a verdict about a signer nobody can name";
}

TEST(PublisherRule, AnotherKeyNeedsTheSameNameAndAFullyTrustedChain) {
    const FileSignature installed = Intact(kKey, kMaker, false, kUntrustedRoot);
    EXPECT_EQ(Judge(installed, Intact(kOtherKey, kMaker, true)), V::Accept)
        << "a renewed certificate";
    EXPECT_EQ(Judge(installed, Intact(kOtherKey, kMaker, false, kUntrustedRoot)),
              V::RefuseOtherPublisher);
    EXPECT_EQ(Judge(installed, Intact(kOtherKey, kMaker, false, kExpired)),
              V::RefuseOtherPublisher);
    EXPECT_EQ(Judge(installed, Intact(kOtherKey, kStranger, true)), V::RefuseOtherPublisher);
    EXPECT_EQ(Judge(installed, Intact(kOtherKey, kMaker + "X", true)), V::RefuseOtherPublisher)
        << "the whole name, not a part of it";
    EXPECT_EQ(Judge(Intact(kKey, "", true), Intact(kOtherKey, "", true)), V::RefuseOtherPublisher)
        << "two empty names are no publisher's name";
}

TEST(PublisherRule, CheckReadsTheDownloadOnlyWhenTheInstallationPinsAKey) {
    FakeSignatures signatures;
    FakeFileSystem files;
    EXPECT_EQ(CheckPublisher(signatures, files, "C:\\Lock\\Tessaron.Exe", "C:\\Lock\\x.tmp"),
              V::Accept);
    EXPECT_EQ(signatures.read, std::vector<std::string>{"C:\\Lock\\Tessaron.Exe"});

    signatures.read.clear();
    signatures.byPath["C:\\Lock\\Tessaron.Exe"] = Intact(kKey, kMaker, true);
    EXPECT_EQ(CheckPublisher(signatures, files, "C:\\Lock\\Tessaron.Exe", "C:\\Lock\\x.tmp"),
              V::RefuseUnsigned);
    EXPECT_EQ(signatures.read,
              (std::vector<std::string>{"C:\\Lock\\Tessaron.Exe", "C:\\Lock\\x.tmp"}));
}

// The upgrade of C:\Lock\ with the fakes: the installed program's and the
// download's signatures are whatever the test says.
struct SignedUpgrade : CommandRig {
    std::vector<bool> tempPresentAtBox;

    SignedUpgrade() {
        served = ProgramBytes("new lock program");
        installations = {{"C:\\Lock\\", true}};
        fake.files.AddFolder("C:\\Lock\\");
        fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old lock program");
        fake.signatures.byPath["C:\\Lock\\Tessaron.Exe"] =
            Intact(kKey, kMaker, false, kUntrustedRoot);
        fake.window.onBox = [this](const ShownBox&) {
            tempPresentAtBox.push_back(fake.files.FileExists(Temp()));
        };
    }
    std::string Temp() const {
        return chinese ? "C:\\Lock\\Tessaron.tmp" : "C:\\Lock\\TessaronEng.tmp";
    }
    void Download(const FileSignature& signature) { fake.signatures.byPath[Temp()] = signature; }
    void Run() { RunUpgrade(); }
};

TEST(PublisherUpgrade, RefusalsNameTheReasonKeepTheProgramAndLeaveOnlyExit) {
    const struct {
        FileSignature download;
        bool chinese;
        TextId text;
        const char* code;
        const char* opening;
    } cases[] = {
        {Unsigned(), false, TextId::N9083, "N9083", "The downloaded Tessaron.Exe is not signed.\n"},
        {Broken(kKey, kMaker), true, TextId::N9084, "N9084",
         "下载的 Tessaron.Exe 的数字签名与文件内容不符"},
        {Intact(kOtherKey, kStranger, true), false, TextId::N9085, "N9085",
         "The downloaded Tessaron.Exe is not signed by the publisher of the installed one.\n"},
        {Intact(kOtherKey, kMaker, false, kUntrustedRoot), true, TextId::N9085, "N9085",
         "下载的 Tessaron.Exe 不是由已安装门锁软件的发行者签名的。\n"},
    };
    for (const auto& c : cases) {
        SignedUpgrade u;
        u.SetChinese(c.chinese);
        u.Download(c.download);
        u.Run();
        ASSERT_EQ(u.fake.window.boxes.size(), 2u) << c.code << ": confirmation and refusal only";
        EXPECT_EQ(u.LastBox().caption, c.code);
        EXPECT_EQ(u.LastBox().style, static_cast<unsigned>(kStyleError));
        EXPECT_EQ(u.LastBox().text, Tr(c.text, c.chinese) + "C:\\Lock\\");
        EXPECT_EQ(u.LastBox().text.rfind(c.opening, 0), 0u) << u.LastBox().text;
        EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old lock program");
        EXPECT_FALSE(u.fake.files.FileExists(u.Temp()));
        EXPECT_EQ(u.tempPresentAtBox.back(), false) << "the download is gone before the box";
        EXPECT_TRUE(u.fake.window.Enabled(Control::cmdExit));
        EXPECT_FALSE(u.fake.window.Enabled(Control::BitBtn1));
        EXPECT_FALSE(u.fake.window.Enabled(Control::BitBtn2));
        EXPECT_FALSE(u.fake.window.terminated);
    }
}

TEST(PublisherUpgrade, TheSameKeyOrARenewedTrustedCertificateReplacesTheProgram) {
    for (const FileSignature& download :
         {Intact(kKey, kMaker, false, kExpired), Intact(kOtherKey, kMaker, true)}) {
        SignedUpgrade u;
        u.Download(download);
        u.Run();
        EXPECT_EQ(u.LastBox().caption, "N9082");
        EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), u.served);
        EXPECT_TRUE(u.fake.window.terminated);
    }
}

TEST(PublisherUpgrade, AnUnsignedInstallationIsUpgradedAsBefore) {
    SignedUpgrade u;
    u.fake.signatures.byPath.erase("C:\\Lock\\Tessaron.Exe");
    u.Download(Intact(kOtherKey, kStranger, true));
    u.Run();
    EXPECT_EQ(u.LastBox().caption, "N9082");
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), u.served);
}

TEST(PublisherUpgrade, APageInsteadOfAProgramIsRefusedBeforeAnySignatureIsRead) {
    SignedUpgrade u;
    u.served = "<html>log in</html>";
    u.Run();
    EXPECT_EQ(u.LastBox().text, "System Error E0056, -1");
    EXPECT_TRUE(u.fake.signatures.read.empty());
    EXPECT_EQ(u.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old lock program");
}

}  // namespace
}  // namespace pellinor

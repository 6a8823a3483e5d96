// The publisher keys built in: the rule over a signature and a list of keys,
// and the three commands that hold their downloads to it.
#include <gtest/gtest.h>

#include "commands/PublisherKeys.h"
#include "fakes/CommandRig.h"
#include "fakes/ProgramBytes.h"
#include "text/Texts.h"

namespace pellinor {
namespace {

const PublicKey kInUse{"spki of the key in use", "aa11"};
const PublicKey kStandby{"spki of the standby key", "bb22"};
const std::string kStrangerKey = "spki of somebody else";
const std::string kPublisherName = "CN=Tessaron Lock Maker, O=Tessaron, C=CN";

FileSignature Signature(SignatureState state, const std::string& key,
                        const std::string& subject = kPublisherName, bool trusted = false) {
    return {state, trusted, 0, key, subject, key.empty() ? "" : "sha of " + key};
}

TEST(PublisherKeys, OnlyAnIntactSignatureByABuiltInKeyIsAdmitted) {
    const PublisherKeys keys{kInUse, kStandby};
    using S = SignatureState;
    using V = KeyVerdict;
    const struct {
        const char* what;
        FileSignature file;
        KeyVerdict verdict;
    } rows[] = {
        {"the key in use, a chain nobody trusts", Signature(S::Intact, kInUse.info), V::Accept},
        {"the standby key", Signature(S::Intact, kStandby.info), V::Accept},
        {"not signed", Signature(S::None, ""), V::RefuseUnsigned},
        {"changed after signing by the key in use", Signature(S::Broken, kInUse.info),
         V::RefuseBroken},
        {"intact but naming no signer", Signature(S::Intact, ""), V::RefuseBroken},
        {"another key under the publisher's name, a trusted chain",
         Signature(S::Intact, kStrangerKey, kPublisherName, true), V::RefuseOtherKey},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(JudgeSigner(row.file, keys), row.verdict) << row.what;
    }
    EXPECT_EQ(KeysForLog(keys), "aa11, bb22");
    EXPECT_EQ(KeysForLog({}), "none");
}

const std::string kDesktop = "C:\\Users\\alice\\Desktop\\";

struct Pinned : CommandRig {
    Pinned() {
        publisherKeys = {kInUse, kStandby};
        fake.registry.values["Desktop"] = RegistryValue{true, "C:\\Users\\alice\\Desktop"};
        fake.files.AddFolder("C:\\Users\\alice\\Desktop");
        fake.files.AddFolder("D:\\");
    }
    // The refusal box's text, as a reader sees it.
    std::string Refusal(TextId text, const std::string& name, const std::string& folder = "") {
        std::string pattern = Tr(text, chinese);
        pattern.replace(pattern.find("%1"), 2, name);
        return folder.empty() ? pattern : pattern + Tr(TextId::FolderLine, chinese) + folder;
    }
};

TEST(PublisherKeys, TheUpgradeTakesOnlyAProgramOfAKeyWhateverTheInstalledOneIs) {
    const std::string folder = "C:\\Lock\\";
    for (const bool chinese : {false, true}) {
        const struct {
            FileSignature download;
            const char* caption;  // none: replaced
            TextId text;
        } rows[] = {
            {Signature(SignatureState::Intact, kStandby.info), nullptr, TextId::N9091},
            {Signature(SignatureState::None, ""), "N9091", TextId::N9091},
            {Signature(SignatureState::Broken, kInUse.info), "N9092", TextId::N9092},
            {Signature(SignatureState::Intact, kStrangerKey), "N9093", TextId::N9093},
        };
        for (const auto& row : rows) {
            Pinned u;
            u.SetChinese(chinese);
            u.served = ProgramBytes("new lock program");
            u.installations = {{folder, false}};
            u.fake.files.AddFolder(folder);
            u.fake.files.AddFile(folder + "Tessaron.Exe", "MZ old");
            // Signed by a key the build does not carry: the keys decide, not it.
            u.fake.signatures.byPath[folder + "Tessaron.Exe"] =
                Signature(SignatureState::Intact, kStrangerKey);
            const std::string temp = folder + (chinese ? "Tessaron.tmp" : "TessaronEng.tmp");
            u.fake.signatures.byPath[temp] = row.download;
            UpgradeInstalledProgram(u.site);

            if (!row.caption) {
                EXPECT_EQ(u.fake.files.Bytes(folder + "Tessaron.Exe"), u.served);
                EXPECT_EQ(u.LastBox().caption, "N9082");
                continue;
            }
            EXPECT_EQ(u.LastBox().caption, row.caption);
            EXPECT_EQ(u.LastBox().text, u.Refusal(row.text, "Tessaron.Exe", folder));
            EXPECT_EQ(u.fake.files.Bytes(folder + "Tessaron.Exe"), "MZ old");
            EXPECT_FALSE(u.fake.files.FileExists(temp));
            EXPECT_TRUE(u.window().Enabled(Control::cmdExit));
            EXPECT_FALSE(u.window().Enabled(Control::BitBtn2));
        }
    }
}

TEST(PublisherKeys, AnUnsignedSetupIsRemovedAndNeverStarted) {
    Pinned signedSetup;
    signedSetup.served = ProgramBytes("newest setup");
    signedSetup.fake.signatures.byPath["D:\\R7.35SetupEng.tmp"] =
        Signature(SignatureState::Intact, kInUse.info);
    InstallNewestVersion(signedSetup.site);
    EXPECT_EQ(signedSetup.fake.shell.opened, std::vector<std::string>{"D:\\R7.35SetupEng.exe"});

    Pinned unsignedSetup;
    unsignedSetup.served = ProgramBytes("newest setup");
    InstallNewestVersion(unsignedSetup.site);
    EXPECT_TRUE(unsignedSetup.fake.shell.opened.empty());
    EXPECT_EQ(unsignedSetup.LastBox().caption, "N9091");
    EXPECT_EQ(unsignedSetup.LastBox().text,
              unsignedSetup.Refusal(TextId::N9091, "R7.35SetupEng.exe"));
    EXPECT_FALSE(unsignedSetup.fake.files.FileExists("D:\\R7.35SetupEng.tmp"));
    EXPECT_FALSE(unsignedSetup.fake.files.FileExists("D:\\R7.35SetupEng.exe"));
    EXPECT_FALSE(unsignedSetup.window().terminated);
    EXPECT_TRUE(unsignedSetup.window().Enabled(Control::cmdExit)) << "only Exit is left";
    EXPECT_FALSE(unsignedSetup.window().Enabled(Control::BitBtn1));
}

TEST(PublisherKeys, TheSdkIsOpenedOnlyWithAGoodSignatureBesideIt) {
    const std::string temp = kDesktop + "R7.35Q38_Eng.tmp";
    const std::string target = kDesktop + "R7.35_SDK.rar";
    const std::string signatureAddress = DefaultServerRoot() + "/Q38_Eng.rar.p7s";
    const struct {
        const char* what;
        bool published;
        FileSignature detached;
        const char* caption;  // none: opened
    } rows[] = {
        {"signed by the key in use", true, Signature(SignatureState::Intact, kInUse.info), nullptr},
        {"no signature published", false, {}, "N9091"},
        {"the archive changed after signing", true, Signature(SignatureState::Broken, kInUse.info),
         "N9092"},
        {"signed by another key", true, Signature(SignatureState::Intact, kStrangerKey), "N9093"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Pinned c;
        c.served = "Rar! newest archive";
        if (!row.published) c.notFound = {signatureAddress};
        c.fake.signatures.detachedByPath[temp] = row.detached;
        DownloadSdk(c.site);

        ASSERT_EQ(c.downloads.size(), 2u);
        EXPECT_EQ(c.downloads[1].first, signatureAddress);
        EXPECT_FALSE(c.fake.files.FileExists(c.downloads[1].second)) << "the signature stays";
        if (!row.caption) {
            EXPECT_EQ(c.fake.shell.opened, std::vector<std::string>{target});
            continue;
        }
        EXPECT_EQ(c.Captions(), std::vector<std::string>{row.caption});
        EXPECT_TRUE(c.fake.shell.opened.empty());
        EXPECT_FALSE(c.fake.files.FileExists(temp));
        EXPECT_FALSE(c.fake.files.FileExists(target));
    }
}

}  // namespace
}  // namespace pellinor

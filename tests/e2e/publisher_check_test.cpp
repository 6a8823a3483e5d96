// Only the publisher's program may replace the publisher's program: the real
// Pellinor.exe upgrading signed and unsigned installations to copies of the
// lock program's stand-in signed while the tests run (tests/e2e/sign-fixtures),
// and the system's own reading of those signatures under Wine.
#include <cstdio>

#include "UpgradeScenario.h"
#include "platform/win32/Win32Signatures.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

// What sign-fixtures made, by name ("new-publisher" and so on).
std::string SignedPath(const std::string& name) {
    return ExeFolder() + "signed\\" + name + ".exe";
}
std::string Signed(const std::string& name) {
    return ReadBytes(SignedPath(name));
}

constexpr uint32_t kNoSignature = 0x800B0100;  // TRUST_E_NOSIGNATURE
constexpr uint32_t kBadDigest = 0x80096010;    // TRUST_E_BAD_DIGEST

TEST(SignaturesOnWine, TheSystemReadsEachSignedProgramAsItWasMade) {
    Win32Signatures signatures;
    std::map<std::string, FileSignature> read;
    for (const char* name : {"old-unsigned", "old-publisher", "new-publisher", "new-renewed",
                             "new-stranger", "new-tampered", "new-cut", "new-transplanted"}) {
        ASSERT_FALSE(Signed(name).empty()) << SignedPath(name) << " was not made";
        read[name] = signatures.Read(SignedPath(name));
        // The verdicts docs/trust.md and docs/support.md report.
        std::printf("%-14s state %d, WinVerifyTrust 0x%08X, trusted %d\n", name,
                    static_cast<int>(read[name].state), read[name].systemResult,
                    read[name].trusted ? 1 : 0);
    }
    EXPECT_EQ(read["old-unsigned"].state, SignatureState::None);
    EXPECT_EQ(read["old-unsigned"].systemResult, kNoSignature);
    EXPECT_TRUE(read["old-unsigned"].publicKey.empty());

    const FileSignature& pin = read["old-publisher"];
    EXPECT_EQ(pin.state, SignatureState::Intact);
    EXPECT_FALSE(pin.publicKey.empty());
    EXPECT_NE(pin.subject.find("CN=Tessaron Test Publisher"), std::string::npos) << pin.subject;

    EXPECT_EQ(read["new-publisher"].state, SignatureState::Intact);
    EXPECT_EQ(read["new-publisher"].publicKey, pin.publicKey);
    EXPECT_EQ(read["new-publisher"].subject, pin.subject);

    EXPECT_EQ(read["new-renewed"].state, SignatureState::Intact);
    EXPECT_NE(read["new-renewed"].publicKey, pin.publicKey);
    EXPECT_EQ(read["new-renewed"].subject, pin.subject);

    EXPECT_EQ(read["new-stranger"].state, SignatureState::Intact);
    EXPECT_NE(read["new-stranger"].publicKey, pin.publicKey);
    EXPECT_NE(read["new-stranger"].subject, pin.subject);

    EXPECT_EQ(read["new-tampered"].state, SignatureState::Broken);
    EXPECT_EQ(read["new-tampered"].systemResult, kBadDigest);
    EXPECT_FALSE(read["new-tampered"].trusted);
    EXPECT_EQ(read["new-tampered"].publicKey, pin.publicKey)
        << "a signature that no longer covers the bytes still names its signer";

    EXPECT_NE(read["new-cut"].state, SignatureState::Intact);
    EXPECT_FALSE(read["new-cut"].trusted);

    // Its signature block damaged: still a certificate table, no signer.
    const FileSignature damaged = signatures.Read(SignedPath("old-unreadable"));
    std::printf("%-14s state %d, WinVerifyTrust 0x%08X, trusted %d\n", "old-unreadable",
                static_cast<int>(damaged.state), damaged.systemResult, damaged.trusted ? 1 : 0);
    EXPECT_TRUE(damaged.publicKey.empty()) << "a signer was read from the damaged block";
    EXPECT_NE(damaged.state, SignatureState::Intact);
}

class SignedUpgradeTest : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        // The stand-in sign-fixtures started from is the one this build made.
        ASSERT_TRUE(Signed("new-unsigned") == newBytes_)
            << "the signed programs are made by ctest (e2e_signed_fixtures) from this build's "
               "stand-in; run the tests through ctest";
        oldBytes_ = Signed("old-publisher");
    }

    void ServeBytes(const std::string& body) {
        Serve([body] {
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body);
        });
    }

    // Installs oldBytes_ in a folder of its own, serves the download and
    // confirms the upgrade; the window is left at the first box that follows.
    UiDriver& Upgrade(const std::string& relative, const std::string& download,
                      bool chinese = false) {
        folder_ = Install(relative, Desktop::User, relative + ".lnk");
        ServeBytes(download);
        UiDriver& ui = Start();
        if (chinese) SwitchToChinese(ui);
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        return ui;
    }

    void ExpectReplacedBy(UiDriver& ui, const std::string& download) {
        Answer(ui, "N9082");
        EXPECT_TRUE(ui.WaitForExit(10000));
        EXPECT_TRUE(ReadBytes(folder_ + "Tessaron.Exe") == download) << "not the new program";
        EXPECT_FALSE(PathExists(folder_ + "TessaronEng.tmp"));
    }

    std::string folder_;
};

TEST_F(SignedUpgradeTest, TheSameKeyOrARenewedCertificateOfTheSameNameReplacesTheProgram) {
    // Under Wine every chain is trusted, so the renewed certificate passes on
    // its name alone; on Windows its chain must also reach a trusted root.
    for (const char* name : {"new-publisher", "new-renewed"}) {
        const std::string download = Signed(name);
        UiDriver& ui = Upgrade(name, download);
        ExpectReplacedBy(ui, download);
        RemoveTree(folder_);
    }
}

TEST_F(SignedUpgradeTest, AnUnsignedInstallationTakesAnyProgramAsBefore) {
    oldBytes_ = Signed("old-unsigned");
    const std::string download = Signed("new-stranger");
    UiDriver& ui = Upgrade("Lock", download);
    ExpectReplacedBy(ui, download);
}

TEST_F(SignedUpgradeTest, UnsignedForeignChangedOrCutProgramsAreRefusedAndTheOldOneKept) {
    // The last: an installation whose signature block was damaged after
    // signing refuses even the publisher's own program, since nobody can
    // tell any more whose program it was.
    const struct {
        const char* installed;
        const char* download;
        TextId refusal;
        const char* code;
        bool chinese;
    } cases[] = {
        {"old-publisher", "new-unsigned", TextId::N9083, "N9083", false},
        {"old-publisher", "new-stranger", TextId::N9085, "N9085", false},
        {"old-publisher", "new-tampered", TextId::N9084, "N9084", true},
        {"old-publisher", "new-cut", TextId::N9083, "N9083", false},
        {"old-unreadable", "new-publisher", TextId::N9086, "N9086", true},
        // The publisher's signers transplanted onto another program.
        {"old-publisher", "new-transplanted", TextId::N9084, "N9084", false},
        // A table entry the system would fault on: screened, never handed over.
        {"old-type1", "new-publisher", TextId::N9086, "N9086", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.installed) + " <- " + c.download);
        oldBytes_ = Signed(c.installed);
        const std::string download = Signed(c.download);
        ASSERT_EQ(download.compare(0, 2, "MZ"), 0) << "passes the checks of before";
        UiDriver& ui = Upgrade(c.download, download, c.chinese);
        const std::string temp = folder_ + (c.chinese ? "Tessaron.tmp" : "TessaronEng.tmp");

        const std::optional<DialogInfo> box = ui.WaitForDialog(30000);
        ASSERT_TRUE(box.has_value()) << "no box names the refusal";
        EXPECT_EQ(box->caption, c.code) << box->text;
        EXPECT_EQ(box->text, Tr(c.refusal, c.chinese) + folder_);
        EXPECT_TRUE(box->hasIcon);
        // What the box says is already true while it is shown.
        EXPECT_TRUE(ReadBytes(folder_ + "Tessaron.Exe") == oldBytes_) << "not the old program";
        EXPECT_FALSE(PathExists(temp)) << "the refused download is removed";
        AnswerDialog(box->handle, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box->handle); }));

        EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
        EXPECT_TRUE(ui.Dialogs().empty()) << "no notice and no success box follow";
        EXPECT_TRUE(ui.Running());
        EXPECT_TRUE(ReadBytes(folder_ + "Tessaron.Exe") == oldBytes_) << "not the old program";
        ui.Click(Control::cmdExit);
        EXPECT_TRUE(ui.WaitForExit(5000));
        RemoveTree(folder_);
    }
}

}  // namespace
}  // namespace pellinor::e2e

// The publisher keys built in, on the real program: a Pellinor.exe built
// with the two test keys (the one in use and the standby) upgrading,
// installing and opening files signed while the tests run
// (tests/e2e/pin-fixtures), and the system's own reading of those keys and
// signatures under Wine.
#include <cstdio>

#include "UnattendedRun.h"
#include "UpgradeScenario.h"
#include "commands/PublisherKeys.h"
#include "commands/signatures/CheckedSignatures.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Signatures.h"
#include "text/Texts.h"

#ifndef PELLINOR_TEST_SERVER_PORT
#define PELLINOR_TEST_SERVER_PORT 47652
#endif

namespace pellinor::e2e {
namespace {

std::string FixturePath(const std::string& name) {
    return ExeFolder() + "pin-signed\\" + name;
}
std::string Fixture(const std::string& name) {
    return ReadBytes(FixturePath(name));
}
std::string PinnedExe() {
    return ExeFolder() + "pinned\\Pellinor.exe";
}

// A refusal's box text as the user reads it.
std::string RefusalText(TextId text, const std::string& name, bool chinese,
                        const std::string& folder = "") {
    std::string shown = Tr(text, chinese);
    shown.replace(shown.find("%1"), 2, name);
    return folder.empty() ? shown : shown + Tr(TextId::FolderLine, chinese) + folder;
}

ScriptedReply Ok(const std::string& body) {
    return ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body);
}
ScriptedReply NotFound() {
    return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
}

TEST(PublisherKeysOnWine, TheSystemReadsTheKeysAsTheBuildWroteThem) {
    Win32Signatures system;
    Win32FileSystem files;
    CheckedSignatures signatures(system, files);
    const std::optional<PublicKey> inUse = signatures.CertificateKey(FixturePath("publisher.crt"));
    const std::optional<PublicKey> standby =
        signatures.CertificateKey(ExeFolder() + "pin-signed\\standby.crt");
    ASSERT_TRUE(inUse && standby) << "the certificates were not read";
    EXPECT_EQ(inUse->sha256.size(), 64u) << "Wine makes no SHA-256";
    EXPECT_NE(inUse->info, standby->info);

    const FileSignature signedProgram = signatures.Read(FixturePath("new-publisher.exe"));
    EXPECT_EQ(signedProgram.publicKey, inUse->info) << "the key as a signature holds it";
    EXPECT_EQ(signedProgram.publicKeySha256, inUse->sha256);

    // The first signer's state; what the system alone says of the whole
    // signature printed for docs/trust.md.
    const struct {
        const char* archive;
        const char* signature;
        SignatureState state;
    } rows[] = {
        {"sdk.rar", "sdk-publisher.p7s", SignatureState::Intact},
        {"sdk-changed.rar", "sdk-publisher.p7s", SignatureState::Broken},
        {"sdk.rar", "sdk-stranger.p7s", SignatureState::Intact},
        {"sdk-changed.rar", "sdk-noattr.p7s", SignatureState::Broken},
        {"sdk.rar", "sdk-two.p7s", SignatureState::Intact},
        {"sdk.rar", "no-such.p7s", SignatureState::None},
        {"sdk.rar", "sdk.rar", SignatureState::None},  // a file that is no signature
    };
    for (const auto& row : rows) {
        const std::string archive = FixturePath(row.archive);
        const std::string signature = FixturePath(row.signature);
        const FileSignature first = DecisiveSigner(signatures.ReadDetached(archive, signature), {});
        EXPECT_EQ(first.state, row.state) << row.archive << " " << row.signature;
        if (row.state != SignatureState::None)
            std::printf("%s %s: the system alone 0x%08X\n", row.archive, row.signature,
                        system.ReadDetached(archive, ReadBytes(signature)).systemResult);
    }
    EXPECT_EQ(
        DecisiveSigner(
            signatures.ReadDetached(FixturePath("sdk.rar"), FixturePath("sdk-publisher.p7s")), {})
            .publicKey,
        inUse->info);
}

class PinnedUpgradeTest : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        ASSERT_TRUE(Fixture("new-unsigned.exe") == newBytes_)
            << "the signed files are made by ctest (e2e_pin_fixtures) from this build's "
               "stand-in; run the tests through ctest";
    }
    void ServeBytes(const std::string& body) {
        Serve([body] { return Ok(body); });
    }
};

TEST_F(PinnedUpgradeTest, OnlyAProgramSignedWithABuiltInKeyReplacesAnUnsignedInstallation) {
    Win32Signatures signatures;
    const std::string inUse = signatures.CertificateKey(FixturePath("publisher.crt"))->sha256;
    const std::string standby = signatures.CertificateKey(FixturePath("standby.crt"))->sha256;
    const struct {
        const char* download;
        DWORD exitCode;
        const char* verdict;
    } rows[] = {
        {"new-publisher.exe", 0, "accept"},
        {"new-standby.exe", 0, "accept"},
        {"new-unsigned.exe", 12, "refuse: not signed"},
        {"new-stranger.exe", 12, "refuse: not a publisher key"},
        {"new-lookalike.exe", 12, "refuse: not a publisher key"},
        {"new-changed.exe", 12, "refuse: changed after signing"},
        // Signers transplanted from the publisher's program onto another:
        // the system's verdict holds under Wine, the messageDigest does not.
        {"new-transplanted.exe", 12, "refuse: changed after signing"},
        // A table entry of another type, which the system would be choked by.
        {"new-type1.exe", 12, "refuse: not signed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.download);
        const std::string folder = Install(std::string("Lock ") + row.download);
        const std::string download = Fixture(row.download);
        ServeBytes(download);
        ClearLog();
        const UnattendedRun run =
            WaitForRun(StartProgram(PinnedExe(), {"/upgrade", "/base", server_.Url("/V9/02/")}));
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.Describe();
        const std::string now = ReadBytes(folder + "Tessaron.Exe");
        EXPECT_TRUE(now == (row.exitCode == 0 ? download : oldBytes_)) << run.Describe();
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
        ASSERT_FALSE(run.log.empty());
        EXPECT_NE(run.log[0].find("publisher keys: " + inUse + ", " + standby), std::string::npos)
            << run.log[0];
        EXPECT_TRUE(run.Logged(std::string("; ") + row.verdict)) << run.Describe();
        RemoveTree(folder);
        ::DeleteFileW(Widen(UserDesktopFolder() + "Lock.lnk").c_str());
    }
}

TEST_F(PinnedUpgradeTest, TheRefusalBoxNamesTheReasonAndLeavesOnlyExit) {
    const std::string folder = Install("Lock");
    ServeBytes(Fixture("new-lookalike.exe"));
    UiDriver& ui = StartPellinor(PinnedExe());
    ASSERT_TRUE(ui.Started());
    ui.DoubleClick(Control::StatusBar1);
    ASSERT_TRUE(WaitUntil([&] { return ui.Text(Control::pnl1) == Tr(TextId::Banner, true); }));
    ui.DoubleClick(Control::Image1);
    ASSERT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
    ui.SetEditText(server_.Url("/V9/02/"));
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    const DialogInfo box = Answer(ui, "N9093");
    EXPECT_EQ(box.text, RefusalText(TextId::N9093, "Tessaron.Exe", true, folder));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
    EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == oldBytes_) << "not the old program";
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
}

// The setup program and the SDK's archive on a PC whose Pellinor carries the
// keys: started or opened only when one of them signed it.
class PinnedCommandTest : public WineTest {
  protected:
    void SetUp() override {
        WineTest::SetUp();
        desktop_ = UserDesktopFolder();
        OpenArchivesWithMarker(opened());
    }
    void TearDown() override {
        ForgetArchiveOpener();
        ::DeleteFileW(Widen(desktop_ + "R7.35_SDK.rar").c_str());
        WineTest::TearDown();
    }
    std::string opened() const { return TempFolder() + "opened.txt"; }
    // Every file on the desktop whose name begins with "R7.35".
    std::vector<std::string> DesktopLeftovers() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAW data{};
        const HANDLE find = ::FindFirstFileW((Widen(desktop_) + L"R7.35*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do names.push_back(Narrow(data.cFileName));
        while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return names;
    }
    std::string desktop_;
};

TEST_F(PinnedCommandTest, TheSetupStartsOnlyWhenSignedWithABuiltInKey) {
    const std::string setup = std::string("D:\\") + "R7.35SetupEng.exe";
    for (const char* served : {"setup-publisher.exe", "setup-unsigned.exe"}) {
        SCOPED_TRACE(served);
        const bool admitted = std::string(served) == "setup-publisher.exe";
        const std::string body = Fixture(served);
        ScriptedHttpServer server;
        server.SetHandler([body](const std::string& request) {
            return RequestTarget(request) == "/V9/02/R7.35SetupEng.exe" ? Ok(body) : NotFound();
        });
        UiDriver& ui = StartPellinor(PinnedExe());
        ASSERT_TRUE(ui.Started());
        ui.DoubleClick(Control::Image1);
        ASSERT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
        ui.SetEditText(server.Url("/V9/02/"));
        ui.Click(Control::BitBtn1);
        Answer(ui, "N9078");
        if (admitted) {
            EXPECT_TRUE(ui.WaitForExit(15000));
            EXPECT_TRUE(WaitUntil([&] { return PathExists(setup + ".marker"); }, 10000));
        } else {
            const DialogInfo box = Answer(ui, "N9091");
            EXPECT_EQ(box.text, RefusalText(TextId::N9091, "R7.35SetupEng.exe", false));
            EXPECT_TRUE(WaitUntil([&] { return ui.Enabled(Control::cmdExit); }));
            EXPECT_FALSE(PathExists(setup));
            EXPECT_FALSE(PathExists("D:\\R7.35SetupEng.tmp"));
            EXPECT_FALSE(PathExists(setup + ".marker")) << "the unsigned setup was started";
        }
        ::SetFileAttributesW(Widen(setup).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(Widen(setup).c_str());
        ::DeleteFileW(Widen(setup + ".marker").c_str());
    }
}

TEST_F(PinnedCommandTest, TheArchiveOpensOnlyWithTheSignatureOfABuiltInKeyBesideIt) {
    const struct {
        const char* archive;
        const char* signature;  // none: 404
        const char* caption;    // none: opened
        TextId text;
    } rows[] = {
        {"sdk.rar", "sdk-publisher.p7s", nullptr, TextId::N9091},
        {"sdk.rar", nullptr, "N9091", TextId::N9091},
        {"sdk.rar", "sdk-stranger.p7s", "N9093", TextId::N9093},
        {"sdk-changed.rar", "sdk-publisher.p7s", "N9092", TextId::N9092},
        {"sdk.rar", "sdk-noattr.p7s", nullptr, TextId::N9091},
        {"sdk.rar", "sdk-two.p7s", nullptr, TextId::N9091},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.archive) + " " + (row.signature ? row.signature : "none"));
        const std::string archive = Fixture(row.archive);
        const std::string signature = row.signature ? Fixture(row.signature) : "";
        ScriptedHttpServer server(PELLINOR_TEST_SERVER_PORT);
        server.SetHandler([&](const std::string& request) {
            const std::string target = RequestTarget(request);
            if (target == "/Q38_Eng.rar") return Ok(archive);
            if (target == "/Q38_Eng.rar.p7s" && !signature.empty()) return Ok(signature);
            return NotFound();
        });
        UiDriver& ui = StartPellinor(PinnedExe());
        ASSERT_TRUE(ui.Started());
        ui.Click(Control::BitBtn3);
        if (!row.caption) {
            EXPECT_TRUE(ui.WaitForExit(15000));
            EXPECT_TRUE(WaitUntil([&] { return PathExists(opened()); }, 10000));
            EXPECT_TRUE(ReadBytes(desktop_ + "R7.35_SDK.rar") == archive);
            ::DeleteFileW(Widen(opened()).c_str());
        } else {
            const DialogInfo box = Answer(ui, row.caption);
            EXPECT_EQ(box.text, RefusalText(row.text, "R7.35_SDK.rar", false));
            EXPECT_FALSE(PathExists(opened())) << "the archive was opened";
            EXPECT_EQ(DesktopLeftovers(), std::vector<std::string>{}) << "nothing stays";
            // Only Exit is left, as after the upgrade's refusals.
            EXPECT_TRUE(WaitUntil([&] { return ui.Enabled(Control::cmdExit); }));
            ui.Click(Control::cmdExit);
            EXPECT_TRUE(ui.WaitForExit(10000));
        }
        EXPECT_EQ(RequestTarget(server.Requests().back()), "/Q38_Eng.rar.p7s");
        ::DeleteFileW(Widen(desktop_ + "R7.35_SDK.rar").c_str());
    }
}

}  // namespace
}  // namespace pellinor::e2e

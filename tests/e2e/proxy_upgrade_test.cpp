// The upgrade on the real Pellinor.exe through a real proxy: Debian's squid
// on 127.0.0.1 (tests/e2e/squid-rig), chosen by the user's Internet Options
// written for the test and put back after it. In each case the folder holds
// the new program or the old one untouched, and squid's access log shows
// exactly the requests that should have passed through it.
// clang-format off
#include "ProxyRig.h"
#include "UpgradeScenario.h"
#include <shlobj.h>
// clang-format on

#include "platform/win32/Utf.h"
#include "window/win32/CredentialsDialog.h"

namespace pellinor::e2e {
namespace {

const char* const kAsks407 = "TCP_DENIED/407 GET";
const char* const kPassed = "TCP_MISS/200 GET";

class ProxyUpgradeTest : public UpgradeScenario {
  protected:
    void SetUp() override {
        UpgradeScenario::SetUp();
        ASSERT_TRUE(squid_.Running()) << "squid-rig did not start squid";
    }

    // The address squid names in its log for the program's download.
    // The access log's lines of the program's own address: the patch's and
    // the compressed file's go on past it.
    static constexpr const char* kProgram = "/Tessaron.Exe ";
    std::string Download() const { return server_.Url("/V9/02/Tessaron.Exe"); }

    // Waits for the sign-in box, types user and password into it and
    // answers OK; false when no such box came.
    bool SignIn(UiDriver& ui, const std::string& user, const std::string& password) {
        std::optional<DialogInfo> box = ui.WaitForDialog(20000);
        if (!box || box->caption != Tr(TextId::ProxySignInCaption, false)) {
            ADD_FAILURE() << "no sign-in box" << (box ? ": " + box->caption : "");
            return false;
        }
        EXPECT_NE(ReadDialog(box->handle).text.find(squid_.SignIn()), std::string::npos);
        ::SetDlgItemTextW(box->handle, kCredentialsUserId, Widen(user).c_str());
        ::SetDlgItemTextW(box->handle, kCredentialsPasswordId, Widen(password).c_str());
        AnswerDialog(box->handle, IDOK);
        return WaitUntil([&] { return !::IsWindow(box->handle); });
    }

    Squid squid_;
};

TEST_F(ProxyUpgradeTest, ThroughTheFixedProxy) {
    UserProxySettings settings(kProxyDirect | kProxyFixed, squid_.Open(), "", "");
    const std::string folder = Install("Hotel\\Lock");
    ServeNewProgram();
    UiDriver& ui = Start();
    const UpgradeOutcome outcome = RunUpgrade(ui);
    ExpectPromisesKept(folder, outcome);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    const std::vector<std::string> seen = squid_.Seen(kProgram);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].find(std::string(kPassed) + " " + Download()), std::string::npos) << seen[0];
}

TEST_F(ProxyUpgradeTest, ThroughTheProxyTheScriptChoosesAndABypassedHostDirect) {
    const std::string script =
        "function FindProxyForURL(url, host) { return \"PROXY " + squid_.Open() + "\"; }\n";
    const std::string body = newBytes_;
    server_.SetHandler([&script, body](const std::string& request) {
        const std::string target = RequestTarget(request);
        if (target == "/proxy.pac") {
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(script.size())}) +
                script);
        }
        return ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body);
    });
    {
        UserProxySettings settings(kProxyDirect | kProxyScript, "", "", server_.Url("/proxy.pac"));
        const std::string folder = Install("Scripted\\Lock");
        const UpgradeOutcome outcome = RunUpgrade(Start());
        ExpectPromisesKept(folder, outcome);
        EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
        EXPECT_EQ(squid_.Seen(kProgram).size(), 1u);
        RemoveTree(folder);
    }
    {
        // The fixed proxy with the download's host on its bypass list.
        UserProxySettings settings(kProxyDirect | kProxyFixed, squid_.Open(), "<local>;127.0.0.1",
                                   "");
        const std::string folder = Install("Bypassed\\Lock");
        const size_t before = server_.Requests().size();
        const UpgradeOutcome outcome = RunUpgrade(Start());
        ExpectPromisesKept(folder, outcome);
        EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
        EXPECT_EQ(squid_.Seen(kProgram).size(), 1u) << "only the scripted upgrade's";
        const std::vector<std::string> requests = server_.Requests();
        ASSERT_GT(requests.size(), before);
        EXPECT_EQ(RequestTarget(requests.back()), "/V9/02/Tessaron.Exe") << "direct: origin form";
    }
}

TEST_F(ProxyUpgradeTest, BasicSignInThroughTheBox) {
    UserProxySettings settings(kProxyDirect | kProxyFixed, squid_.SignIn(), "", "");
    const std::string folder = Install("Hotel\\Lock");
    ServeNewProgram();
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    ASSERT_TRUE(SignIn(ui, squid_.User(), squid_.Password()));
    Answer(ui, "N9082");
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
    // The sign-in at the first file (the patch, then missing), and the
    // compressed file and the program with it.
    const std::vector<std::string> seen = squid_.Seen("Tessaron.Exe");
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_NE(seen[0].find(kAsks407), std::string::npos) << seen[0];
    EXPECT_NE(seen[3].find(std::string(kPassed) + " " + Download() + " " + squid_.User()),
              std::string::npos)
        << seen[3];
    // The support log tells of the 407 and never of the sign-in.
    wchar_t local[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    const std::string log = ReadBytes(Narrow(local) + "\\Pellinor\\Pellinor.log");
    EXPECT_NE(log.find("status=\"HTTP/1.1 407 "), std::string::npos);
    EXPECT_EQ(log.find(squid_.Password()), std::string::npos) << "a password in the log";
}

TEST_F(ProxyUpgradeTest, AWrongPasswordEndsWithThe407AndAProxyDownIsNamed) {
    {
        UserProxySettings settings(kProxyDirect | kProxyFixed, squid_.SignIn(), "", "");
        const std::string folder = Install("Refused\\Lock");
        ServeNewProgram();
        UiDriver& ui = Start();
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");
        ASSERT_TRUE(SignIn(ui, squid_.User(), squid_.Password() + "x"));
        const DialogInfo error = Answer(ui, "E0059");
        EXPECT_EQ(error.text.rfind("HTTP/1.1 407 Proxy Authentication Required\n\n", 0), 0u)
            << error.text;
        EXPECT_EQ(error.text.find(squid_.Password()), std::string::npos);
        EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0056, -59");
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
        EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
        const std::vector<std::string> seen = squid_.Seen("Tessaron.Exe");
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_NE(seen[0].find(kAsks407), std::string::npos) << seen[0];
        EXPECT_NE(seen[1].find(kAsks407), std::string::npos) << seen[1];
        // One copy of the program per session: this one leaves before the
        // next one starts, or the next would only bring it to the front.
        ui.Click(Control::cmdExit);
        ASSERT_TRUE(ui.WaitForExit());
        RemoveTree(folder);
    }
    {
        // A port on which nothing listens: a proxy that is down.
        ScriptedHttpServer gone;
        const std::string down = "127.0.0.1:" + std::to_string(gone.Port());
        gone.Stop();
        UserProxySettings settings(kProxyDirect | kProxyFixed, down, "", "");
        const std::string folder = Install("Down\\Lock");
        const size_t before = server_.Requests().size();
        const UpgradeOutcome outcome = RunUpgrade(Start());
        ExpectPromisesKept(folder, outcome);
        ASSERT_TRUE(outcome.Shows("E0059")) << outcome.Describe();
        EXPECT_EQ(outcome.boxes.front().text.rfind(
                      "Socket Error # 10061\r\nConnection refused.\r\nProxy: " + down + "\n\n", 0),
                  0u)
            << outcome.boxes.front().text;
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
        EXPECT_EQ(server_.Requests().size(), before) << "nothing went direct";
        EXPECT_EQ(squid_.Seen("Tessaron.Exe").size(), 2u) << "only the refused sign-in's";
    }
}

}  // namespace
}  // namespace pellinor::e2e

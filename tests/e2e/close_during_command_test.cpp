// Closing the window while a command downloads: the program asks whether
// to stop the download; Yes ends it at once with the old program kept and
// closes the program, No lets the upgrade finish. A close outside the
// download waits for the command, which is never cut off halfway through a
// replacement; an information dialog opened after the close request closes
// by itself.
#include <windows.h>
// after windows.h, which it needs
#include <wincrypt.h>

#include <chrono>
#include <iostream>
#include <set>

#include "Fixture.h"
#include "helpers/VersionTrailer.h"
#include "support/ScriptedHttpServer.h"

namespace pellinor::e2e {
namespace {

// SHA-256 of a file through the system's own CryptoAPI; empty when unreadable.
std::string Sha256(const std::string& path) {
    const std::string bytes = ReadBytes(path);
    HCRYPTPROV provider = 0;
    if (!::CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
        return std::string();
    std::string digest;
    HCRYPTHASH hash = 0;
    if (::CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) {
        BYTE value[32];
        DWORD size = sizeof value;
        if (::CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                            static_cast<DWORD>(bytes.size()), 0) &&
            ::CryptGetHashParam(hash, HP_HASHVAL, value, &size, 0)) {
            static const char kHex[] = "0123456789abcdef";
            for (DWORD i = 0; i < size; ++i) {
                digest += kHex[value[i] >> 4];
                digest += kHex[value[i] & 15];
            }
        }
        ::CryptDestroyHash(hash);
    }
    ::CryptReleaseContext(provider, 0);
    return digest;
}

class CloseDuringCommandTest : public WineTest {
  protected:
    std::string Install() {
        const std::string folder = MakeFolder("Lock");
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
        return folder;
    }
    // Half the body, a pause long enough to close the window, then the rest
    // (or, with status 404, the rest of an error page).
    void ServeStalled(const std::string& statusLine) {
        const std::string body = newBytes_;
        server_.SetHandler([body, statusLine](const std::string&) {
            ScriptedReply reply(
                HttpHead(statusLine, {"Content-Length: " + std::to_string(body.size())}) +
                body.substr(0, body.size() / 2));
            reply.Then(body.substr(body.size() / 2), std::chrono::milliseconds(2500));
            return reply;
        });
    }
    // Half the body, then one byte every 500 ms: a download that would take
    // hours, well inside every bound for the few seconds the test needs.
    void ServeDripping() {
        const std::string body = newBytes_;
        server_.SetHandler([body](const std::string&) {
            ScriptedReply reply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body.substr(0, body.size() / 2));
            for (size_t i = 0; i < 240; ++i)
                reply.Then(body.substr(body.size() / 2 + i, 1), std::chrono::milliseconds(500));
            return reply;
        });
    }
    UiDriver& StartAndConfirm(const std::string& temp) {
        UiDriver& ui = StartPellinor();
        EXPECT_TRUE(ui.Started());
        ui.DoubleClick(Control::Image1);
        EXPECT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
        ui.SetEditText(server_.Url("/V9/02/"));
        ui.Click(Control::BitBtn2);
        std::optional<DialogInfo> confirm = ui.WaitForDialog(20000);
        EXPECT_TRUE(confirm && confirm->caption == "N9079");
        if (confirm) AnswerDialog(confirm->handle, IDOK);
        EXPECT_TRUE(WaitUntil(
            [&] { return ui.Text(Control::Label3) == temp && ui.ProgressPosition() > 0; }));
        return ui;
    }

    std::string oldBytes_ = WithVersionTrailer(ReadBytes(ProgramPath("tessaron")), "old");
    std::string newBytes_ = WithVersionTrailer(ReadBytes(ProgramPath("tessaron")), "new");
    ScriptedHttpServer server_;
};

TEST_F(CloseDuringCommandTest, YesToTheStopQuestionEndsTheDownloadAndTheProgram) {
    const std::string folder = Install();
    const std::string installed = Sha256(folder + "Tessaron.Exe");
    ASSERT_FALSE(installed.empty());
    ServeDripping();
    UiDriver& ui = StartAndConfirm(folder + "TessaronEng.tmp");

    // What a click on the caption's close box sends.
    ::PostMessageW(ui.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    std::optional<DialogInfo> question = ui.WaitForDialog(20000);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, "N9090");
    EXPECT_EQ(question->text.rfind("A download is running.", 0), 0u) << question->text;
    EXPECT_EQ(question->buttons, (std::vector<std::string>{"&Yes", "&No"}));
    const auto yes = std::chrono::steady_clock::now();
    AnswerDialog(question->handle, IDYES);
    // Every box the program shows from now on (there should be none).
    std::set<std::string> boxes;
    const bool gone = WaitUntil(
        [&] {
            for (HWND dialog : ui.Dialogs()) {
                if (dialog != question->handle) boxes.insert(ReadDialog(dialog).caption);
            }
            return !ui.Running();
        },
        10000);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - yes).count();
    std::cout << "[ stopped  ] Pellinor gone " << seconds << " s after Yes\n";
    ASSERT_TRUE(gone);
    EXPECT_TRUE(boxes.empty()) << *boxes.begin();
    EXPECT_EQ(Sha256(folder + "Tessaron.Exe"), installed);
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
}

TEST_F(CloseDuringCommandTest, NoToTheStopQuestionLetsTheUpgradeFinish) {
    const std::string folder = Install();
    ServeStalled("HTTP/1.1 200 OK");
    UiDriver& ui = StartAndConfirm(folder + "TessaronEng.tmp");

    ui.PressKey(VK_F4, true);  // Alt+F4
    std::optional<DialogInfo> question = ui.WaitForDialog(20000);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, "N9090");
    AnswerDialog(question->handle, IDNO);
    EXPECT_FALSE(ui.WaitForExit(1000)) << "the download goes on";
    std::optional<DialogInfo> done;
    ASSERT_TRUE(WaitUntil(
        [&] {
            done = ui.WaitForDialog(100);
            return done && done->handle != question->handle;
        },
        20000));
    ASSERT_TRUE(done);
    EXPECT_EQ(done->caption, "N9082");
    AnswerDialog(done->handle, IDOK);
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(CloseDuringCommandTest, FailureNoticeAfterTheCloseRequestClosesByItself) {
    const std::string folder = Install();
    ServeStalled("HTTP/1.1 404 Not Found");
    UiDriver& ui = StartAndConfirm(folder + "TessaronEng.tmp");

    std::optional<DialogInfo> error = ui.WaitForDialog(20000);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->caption, "E0059");
    // The request is over: the close box asks nothing and is held until
    // the command ends.
    ::PostMessageW(ui.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(ui.WaitForExit(500));
    EXPECT_EQ(ui.Dialogs(), std::vector<HWND>{error->handle});
    AnswerDialog(error->handle, IDOK);
    // The "System Error" notice would follow; after the close request it
    // closes at once, and the program ends.
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_FALSE(PathExists(folder + "TessaronEng.tmp"));
}

}  // namespace
}  // namespace pellinor::e2e

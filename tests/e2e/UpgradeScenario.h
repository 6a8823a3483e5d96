// The upgrade as the Wine tests drive it: an old lock program installed with
// a shortcut on a desktop, a scripted server on 127.0.0.1 in place of the
// maker's, Pellinor pointed at it through the hidden base-address mode, and
// the boxes answered as a technician would. Shared by the upgrade, download
// and fault tests, which differ only in what the server and the disk do.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Fixture.h"
#include "helpers/VersionTrailer.h"
#include "platform/win32/Utf.h"
#include "support/ScriptedHttpServer.h"
#include "text/Texts.h"

namespace pellinor::e2e {

// What the program showed after the upgrade was confirmed.
struct UpgradeOutcome {
    DialogInfo confirmation;        // the N9079 box that named the folder
    std::vector<DialogInfo> boxes;  // what followed, in the order it came
    bool ended = false;             // the program ended by itself

    bool Shows(const std::string& caption) const {
        return std::any_of(boxes.begin(), boxes.end(),
                           [&](const DialogInfo& b) { return b.caption == caption; });
    }
    bool Succeeded() const { return Shows("N9082"); }
    // The download's error box, the failure notice with its code, or the
    // application's error report (the one box with an icon and no code).
    bool NamesAFailure() const {
        return std::any_of(boxes.begin(), boxes.end(), [](const DialogInfo& b) {
            return (b.caption == "E0059" && !b.text.empty()) ||
                   b.text.rfind("System Error E0056, ", 0) == 0 ||
                   (b.caption == "Pellinor" && b.hasIcon && !b.text.empty());
        });
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const DialogInfo& b : boxes) captions.push_back(b.caption);
        return captions;
    }
    std::string Describe() const {
        std::string d = ended ? "ended; boxes:" : "still running; boxes:";
        for (const DialogInfo& b : boxes) d += "\n  [" + b.caption + "] " + b.text;
        return d;
    }
};

class UpgradeScenario : public WineTest {
  protected:
    void SetUp() override {
        WineTest::SetUp();
        program_ = ReadBytes(ProgramPath("tessaron"));
        ASSERT_GT(program_.size(), 1024u);
        oldBytes_ = WithVersionTrailer(program_, "7.35.1 old");
        newBytes_ = WithVersionTrailer(program_, "7.35.9 new");
    }

    // An installation of the old lock program with a shortcut on a desktop
    // that starts it in its folder.
    std::string Install(const std::string& relative, Desktop desktop = Desktop::User,
                        const std::string& linkName = "Lock.lnk") {
        const std::string folder = MakeFolder(relative);
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", oldBytes_));
        MakeDesktopShortcut(desktop, linkName, folder + "Tessaron.Exe", folder);
        return folder;
    }

    // Serves reply for the lock program's address, 404 for anything else
    // (its patch and compressed file among them).
    void Serve(std::function<ScriptedReply()> reply) {
        server_.SetHandler([reply](const std::string& request) {
            const std::string target = RequestTarget(request);
            const std::string name = "Tessaron.Exe";
            if (target.size() >= name.size() &&
                target.compare(target.size() - name.size(), name.size(), name) == 0)
                return reply();
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        });
    }
    void ServeNewProgram() {
        const std::string body = newBytes_;
        Serve([body] {
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body);
        });
    }

    // Starts Pellinor and points its downloads at the test server through the
    // hidden base-address mode, as a technician would.
    UiDriver& StartWithBase(const std::string& base) {
        UiDriver& ui = StartPellinor();
        EXPECT_TRUE(ui.Started());
        ui.DoubleClick(Control::Image1);
        EXPECT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
        ui.SetEditText(base);
        return ui;
    }
    UiDriver& Start() { return StartWithBase(server_.Url("/V9/02/")); }

    // The status bar's double-click to Chinese, and the base typed again
    // into the hidden mode, since the switch empties it.
    void SwitchToChinese(UiDriver& ui) {
        ui.DoubleClick(Control::StatusBar1);
        EXPECT_TRUE(
            WaitUntil([&] { return ui.Text(Control::BitBtn2) == Tr(TextId::UpdateButton, true); }));
        ui.DoubleClick(Control::Image1);
        ui.SetEditText(server_.Url("/V9/02/"));
    }

    // Serves half the new program, then the rest after pause: long enough
    // to look at the window in the middle of the transfer.
    void ServeStalledHalfway(std::chrono::milliseconds pause) {
        const std::string body = newBytes_;
        Serve([body, pause] {
            ScriptedReply reply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body.substr(0, body.size() / 2));
            reply.Then(body.substr(body.size() / 2), pause);
            return reply;
        });
    }

    bool OnlyExitEnabled(UiDriver& ui) {
        return ui.Enabled(Control::cmdExit) && !ui.Enabled(Control::BitBtn2) &&
               !ui.Enabled(Control::BitBtn1);
    }

    // The first box may wait for a held file's retries or a slow server.
    static constexpr uint32_t kFirstBoxWaitMs = 30000;

    // Clicks BitBtn2, confirms the one installation and answers every box
    // that follows with OK, until the program ends or no further box comes.
    UpgradeOutcome RunUpgrade(UiDriver& ui, uint32_t firstBoxWaitMs = kFirstBoxWaitMs) {
        ui.Click(Control::BitBtn2);
        UpgradeOutcome outcome;
        outcome.confirmation = Answer(ui, "N9079");
        uint32_t wait = firstBoxWaitMs;
        for (;;) {
            std::vector<HWND> boxes;
            WaitUntil([&] { return !(boxes = ui.Dialogs()).empty() || !ui.Running(); }, wait);
            if (boxes.empty()) break;
            const DialogInfo box = ReadDialog(boxes.front());
            outcome.boxes.push_back(box);
            AnswerDialog(box.handle, IDOK);
            EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.handle); }));
            // The success box ends the program. The failure notice and the
            // error report end the command, so a further box would come at
            // once; the download's error box is followed by the notice.
            if (box.caption == "N9082") break;
            const bool last = box.caption == "Pellinor";
            wait = last ? 300 : 10000;
        }
        outcome.ended = ui.WaitForExit(outcome.Succeeded() ? 10000 : 0);
        return outcome;
    }

    // The three promises of every failure: the folder holds the old program
    // unchanged or the complete new one and nothing that could pass for
    // either; the success box only with the new one in place; otherwise a
    // message that names the failure. extraFiles: what the test itself put
    // into the folder beside the program.
    void ExpectPromisesKept(const std::string& folder, const UpgradeOutcome& outcome,
                            const std::vector<std::string>& extraFiles = {}) {
        const std::string exe = ReadBytes(folder + "Tessaron.Exe");
        const bool replaced = exe == newBytes_;
        EXPECT_TRUE(replaced || exe == oldBytes_)
            << "Tessaron.Exe is neither program (" << exe.size() << " bytes)";
        EXPECT_EQ(outcome.Succeeded(), replaced) << outcome.Describe();
        if (!replaced) {
            EXPECT_TRUE(outcome.NamesAFailure()) << outcome.Describe();
        }

        EXPECT_EQ(ScratchFilesLeft(), std::vector<std::string>{});
        for (const std::string& name : FilesIn(folder)) {
            if (name == "Tessaron.Exe") continue;
            if (std::find(extraFiles.begin(), extraFiles.end(), name) != extraFiles.end()) continue;
            // A finished download may wait beside a program it could not
            // replace; a piece of one must never stay.
            const bool temp = name == "TessaronEng.tmp" || name == "Tessaron.tmp";
            EXPECT_TRUE(temp) << "a stray file in the installation: " << name;
            if (temp) {
                EXPECT_EQ(ReadBytes(folder + name), newBytes_) << name << " is not whole";
            }
        }
    }

    // The download's scratch files in the system's temporary folder: the
    // system deletes each with the program's last handle, however the
    // program ended.
    static std::vector<std::string> ScratchFilesLeft() {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        return FilesIn(Narrow(temp), "pel*.tmp");
    }

    // The names of the files (not folders) directly in folder.
    static std::vector<std::string> FilesIn(const std::string& folder,
                                            const std::string& pattern = "*") {
        std::vector<std::string> names;
        WIN32_FIND_DATAW data{};
        const HANDLE find = ::FindFirstFileW(Widen(folder + pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(Narrow(data.cFileName));
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return names;
    }

    // A reply of head and body, and then what the server does with the
    // connection: closes it unless told otherwise.
    static ScriptedReply Reply(const std::string& head, const std::string& body,
                               AfterReply after = AfterReply::Close) {
        ScriptedReply reply(head, after);
        if (!body.empty()) reply.Then(body);
        return reply;
    }
    std::string LengthHead(const std::string& length) const {
        return HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + length});
    }

    ScriptedHttpServer server_;
    std::string program_, oldBytes_, newBytes_;
};

}  // namespace pellinor::e2e

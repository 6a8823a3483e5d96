// Never backwards, never another program: the real Pellinor.exe upgrading an
// installation of the stand-in's 7.35.9.0 release to copies of it that carry
// version blocks of their own (made by windres at build time).
#include <cstdio>

#include "UpgradeScenario.h"
#include "commands/VersionCheck.h"
#include "platform/win32/Win32FileVersions.h"

namespace pellinor::e2e {
namespace {

class VersionUpgradeTest : public UpgradeScenario {
  protected:
    static std::string StandIn(const std::string& which) {
        return ReadBytes(ProgramPath("tessaron_" + which));
    }
};

TEST_F(VersionUpgradeTest, OlderAndOtherProgramsAreRefusedAndTheSameVersionReplaces) {
    {
        // What the system reads from each (printed for docs/trust.md).
        Win32FileVersions versions;
        for (const char* which : {"old", "new", "other"}) {
            const FileVersion read = versions.Read(ProgramPath(std::string("tessaron_") + which));
            std::printf(
                "tessaron_%-5s present %d, version %s, name \"%s\"\n", which, read.present ? 1 : 0,
                read.number ? VersionText(*read.number).c_str() : "none", read.name.c_str());
            EXPECT_TRUE(read.present && read.number) << which;
        }
        EXPECT_FALSE(versions.Read(ProgramPath("tessaron")).present);
    }

    const struct {
        const char* what;
        std::string download;
        const char* caption;  // the refusal's, or N9082
        bool chinese;
        std::string text;
    } cases[] = {
        {"older", WithVersionTrailer(StandIn("old"), "7.35.1"), "N9087", false,
         "The downloaded Tessaron.Exe is version 7.35.1.0, older than the installed version "
         "7.35.9.0"},
        {"another program", WithVersionTrailer(StandIn("other"), "sdk"), "N9088", true,
         "下载的文件是“SdkSetup.exe”，不是已安装的“Tessaron.Exe”"},
        {"the same version: a repair", WithVersionTrailer(StandIn("new"), "7.35.9 repair"), "N9082",
         false, Tr(TextId::N9082, false)},
    };
    oldBytes_ = WithVersionTrailer(StandIn("new"), "7.35.9 installed");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder =
            Install(std::string("Lock ") + c.caption, Desktop::User, "Lock.lnk");
        Serve([body = c.download] {
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body);
        });
        UiDriver& ui = Start();
        if (c.chinese) SwitchToChinese(ui);
        ui.Click(Control::BitBtn2);
        Answer(ui, "N9079");

        const std::optional<DialogInfo> box = ui.WaitForDialog(30000);
        ASSERT_TRUE(box.has_value()) << "no box followed the confirmation";
        EXPECT_EQ(box->caption, c.caption) << box->text;
        EXPECT_EQ(box->text.rfind(c.text, 0), 0u) << box->text;
        EXPECT_EQ(box->text.substr(box->text.size() - folder.size()), folder);
        const std::string expected = c.caption == std::string("N9082") ? c.download : oldBytes_;
        // What the box says is already true while it is shown.
        EXPECT_TRUE(ReadBytes(folder + "Tessaron.Exe") == expected) << "not the expected program";
        EXPECT_FALSE(PathExists(folder + (c.chinese ? "Tessaron.tmp" : "TessaronEng.tmp")));
        AnswerDialog(box->handle, IDOK);
        if (box->caption == "N9082") {
            EXPECT_TRUE(ui.WaitForExit(10000));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
            EXPECT_TRUE(ui.Dialogs().empty()) << "no notice and no success box follow";
            ui.Click(Control::cmdExit);
            EXPECT_TRUE(ui.WaitForExit(5000));
        }
    }
}

}  // namespace
}  // namespace pellinor::e2e

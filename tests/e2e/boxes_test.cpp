// The program's boxes on the real Pellinor.exe: a box in Chinese with its
// count, Esc as Cancel, and the application's error report, after which the
// window goes on working.
#include "Fixture.h"
#include "platform/win32/Utf.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

class BoxesTest : public WineTest {
  protected:
    std::optional<DialogInfo> Next(UiDriver& ui) {
        std::optional<DialogInfo> box = ui.WaitForDialog(20000);
        EXPECT_TRUE(box.has_value()) << "a box was expected";
        return box;
    }
    void Close(const DialogInfo& box, int button) {
        AnswerDialog(box.handle, button);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.handle); }));
    }
};

TEST_F(BoxesTest, NothingFoundSpeaksChineseWithItsCount) {
    UiDriver& ui = StartPellinor();
    ASSERT_TRUE(ui.Started());
    ui.DoubleClick(Control::StatusBar1);
    ASSERT_TRUE(
        WaitUntil([&] { return ui.Text(Control::BitBtn2) == Tr(TextId::UpdateButton, true); }));
    ui.Click(Control::BitBtn2);
    std::optional<DialogInfo> box = Next(ui);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "N9081, 0");
    EXPECT_EQ(box->text, Tr(TextId::N9081, true));
    EXPECT_TRUE(box->hasOk);
    EXPECT_FALSE(box->hasCancel);
    EXPECT_TRUE(box->hasIcon);
    EXPECT_FALSE(::IsWindowEnabled(ui.MainWindow())) << "the window waits for the box";
    SaveScreenshot(::GetDesktopWindow(), "box-n9081-chinese");
    Close(*box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(ui.MainWindow()) != FALSE; }));
}

TEST_F(BoxesTest, EscapeInAConfirmationIsCancel) {
    const std::string folder = MakeFolder("Lock");
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", ReadBytes(ProgramPath("tessaron"))));
    MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
    ChildProcess& running = StartProgram(folder + "Tessaron.Exe");
    UiDriver& ui = StartPellinor();
    ASSERT_TRUE(ui.Started());
    ui.Click(Control::BitBtn2);
    std::optional<DialogInfo> box = Next(ui);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "N9079");
    EXPECT_TRUE(box->hasCancel);
    PressEscapeIn(box->handle);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box->handle); }));
    // Cancel: nothing happened, nothing was ended, the buttons are back.
    EXPECT_TRUE(
        WaitUntil([&] { return ui.Enabled(Control::BitBtn2) && ui.Enabled(Control::cmdExit); }));
    EXPECT_TRUE(ui.Dialogs().empty());
    EXPECT_TRUE(running.Running());
}

TEST_F(BoxesTest, EscapedErrorIsReportedUnderTheProgramsTitleAndTheWindowGoesOn) {
    const std::string folder = MakeFolder("Lock");
    ASSERT_TRUE(WriteBytes(folder + "Tessaron.Exe", ReadBytes(ProgramPath("tessaron"))));
    MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
    // A renamed copy: the title is still "Pellinor".
    const std::string renamed = TempFolder() + "PELLINOR.EXE";
    ASSERT_TRUE(
        ::CopyFileW(Widen(UiDriver::DefaultExePath()).c_str(), Widen(renamed).c_str(), FALSE));
    UiDriver& ui = StartPellinor(renamed);
    ASSERT_TRUE(ui.Started());
    ui.DoubleClick(Control::Image1);
    ASSERT_TRUE(WaitUntil([&] { return ui.Visible(Control::Edit1); }));
    ui.SetEditText("127.0.0.1/V9/02/");  // typed without "http://"
    ui.Click(Control::BitBtn2);

    std::optional<DialogInfo> confirm = Next(ui);
    ASSERT_TRUE(confirm);
    Close(*confirm, IDOK);
    std::optional<DialogInfo> report = Next(ui);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->caption, "Pellinor");
    EXPECT_EQ(report->text, "Protocol field is empty.");
    EXPECT_TRUE(report->hasIcon);
    EXPECT_FALSE(report->hasCancel);
    Close(*report, IDOK);

    EXPECT_TRUE(ui.Running());
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), ReadBytes(ProgramPath("tessaron")));
    ui.DoubleClick(Control::StatusBar1);
    EXPECT_TRUE(WaitUntil([&] { return ui.Text(Control::pnl1) == Tr(TextId::Banner, true); }))
        << "the window still answers";
}

}  // namespace
}  // namespace pellinor::e2e

// The real Pellinor.exe under Wine at start: its caption with the system's
// language name, the English captions, every control where the layout puts
// it with its initial visibility, and the ways to close it from the keyboard.
#include <vector>

#include "Fixture.h"
#include "platform/win32/Utf.h"
#include "text/Texts.h"
#include "window/Layout.h"

namespace pellinor::e2e {
namespace {

// The system language's name as the system gives it, read here by the same
// calls the program is meant to make.
std::string SystemLanguageNameUtf8() {
    char ansi[50] = {};
    ::VerLanguageNameA(::GetSystemDefaultLangID(), ansi, sizeof ansi);
    wchar_t wide[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 64);
    return Narrow(wide);
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

using WindowStartTest = WineTest;

TEST_F(WindowStartTest, OpensInEnglishWithTheSystemLanguageInItsCaption) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    const std::string language = SystemLanguageNameUtf8();
    ASSERT_FALSE(language.empty());
    EXPECT_EQ(app.Caption(), "Pellinor, " + language);
    // Wine's name is English, so the program starts in English.
    EXPECT_EQ(app.Text(Control::pnl1), Tr(TextId::Banner, false));
    EXPECT_EQ(app.Text(Control::Label1), Tr(TextId::OnlineHint, false));
    EXPECT_EQ(app.Text(Control::Label2), Tr(TextId::ListHeading, false));
    EXPECT_EQ(app.Text(Control::BitBtn1), Tr(TextId::InstallButton, false));
    EXPECT_EQ(app.Text(Control::BitBtn2), Tr(TextId::UpdateButton, false));
    EXPECT_EQ(app.Text(Control::BitBtn3), Tr(TextId::SdkButton, false));
    EXPECT_EQ(app.Text(Control::cmdExit), "E&xit");
    EXPECT_EQ(app.Text(Control::StatusBar1), "Double-Click here to Switch to Chinese or English");
    EXPECT_EQ(app.Text(Control::Edit1), "");
    EXPECT_EQ(app.ListCount(), 0);
    SaveScreenshot(app.MainWindow(), "window-english");
}

TEST_F(WindowStartTest, EveryControlSitsWhereTheLayoutPutsIt) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    const SIZE client = app.ClientSize();
    EXPECT_EQ(client.cx, 912);
    EXPECT_EQ(client.cy, 555);
    for (const ControlLayout& layout : ControlLayouts()) {
        SCOPED_TRACE("control id " + std::to_string(ControlId(layout.control)));
        ASSERT_NE(app.Handle(layout.control), nullptr);
        const RECT expected{layout.left, layout.top, layout.left + layout.width,
                            layout.top + layout.height};
        EXPECT_EQ(RectText(app.Rect(layout.control)), RectText(expected));
        EXPECT_EQ(app.Visible(layout.control), layout.visible);
    }
    // Later controls of the table lie above earlier ones (the edit and the
    // list above the illustration), also those made after the first paint.
    std::vector<HWND> fromTop;
    for (HWND child = ::GetWindow(app.MainWindow(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        fromTop.push_back(child);
    }
    std::vector<HWND> tableFromLast;
    for (auto at = ControlLayouts().rbegin(); at != ControlLayouts().rend(); ++at) {
        tableFromLast.push_back(app.Handle(at->control));
    }
    EXPECT_EQ(fromTop, tableFromLast);
    // Everything that can be used at start is enabled.
    for (Control c : {Control::BitBtn2, Control::cmdExit, Control::StatusBar1}) {
        EXPECT_TRUE(app.Enabled(c)) << ControlId(c);
    }
    EXPECT_EQ(app.ProgressPosition(), 0);
}

TEST_F(WindowStartTest, WindowHasAFixedBorderAndOnlyTheCloseBox) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    const LONG style = ::GetWindowLongW(app.MainWindow(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    // Centred on the screen.
    RECT window{};
    ::GetWindowRect(app.MainWindow(), &window);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(window.left + window.right, screenWidth, 2);
    EXPECT_NEAR(window.top + window.bottom, screenHeight, 2);
}

TEST_F(WindowStartTest, EscClosesTheProgramAtStart) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    app.PressRealKey(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST_F(WindowStartTest, AltXClosesTheProgram) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    app.PressRealKey('X', true);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST_F(WindowStartTest, EscPostedToTheFocusedControlClosesToo) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    // The focus starts on Exit, the first control of the tab order that takes it.
    EXPECT_EQ(app.Focus(), app.Handle(Control::cmdExit));
    app.PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.WaitForExit());
}

TEST_F(WindowStartTest, ExitButtonClosesTheProgram) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    app.Click(Control::cmdExit);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode(), 0u);
}

TEST_F(WindowStartTest, RenamedCopyStartsToo) {
    const std::string copy = TempFolder() + "PELLINOR 2.EXE";
    ASSERT_TRUE(::CopyFileW(Widen(UiDriver::DefaultExePath()).c_str(), Widen(copy).c_str(), FALSE));
    UiDriver& app = StartPellinor(copy);
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Text(Control::BitBtn2), Tr(TextId::UpdateButton, false));
}

}  // namespace
}  // namespace pellinor::e2e

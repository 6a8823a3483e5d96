// The real Pellinor.exe under Wine: the language switch on the status bar
// and the hidden base-address mode behind Image1.
#include "Fixture.h"
#include "text/Texts.h"
#include "window/Layout.h"

namespace pellinor::e2e {
namespace {

// Built here from the build's host setting, not asked of the program.
const std::string kDefaultBase = std::string("http://") + PELLINOR_DOWNLOAD_HOST + "/V9/02/";

class WindowLanguageTest : public WineTest {
  protected:
    void ExpectCaptions(UiDriver& app, bool chinese) {
        EXPECT_EQ(app.Text(Control::pnl1), Tr(TextId::Banner, chinese));
        EXPECT_EQ(app.Text(Control::Label1), Tr(TextId::OnlineHint, chinese));
        EXPECT_EQ(app.Text(Control::Label2), Tr(TextId::ListHeading, chinese));
        EXPECT_EQ(app.Text(Control::BitBtn1), Tr(TextId::InstallButton, chinese));
        EXPECT_EQ(app.Text(Control::BitBtn2), Tr(TextId::UpdateButton, chinese));
        EXPECT_EQ(app.Text(Control::BitBtn3), Tr(TextId::SdkButton, chinese));
        // Neither of these follows the language.
        EXPECT_EQ(app.Text(Control::cmdExit), "E&xit");
        EXPECT_EQ(app.Text(Control::StatusBar1), kStatusBarText);
    }

    // Double-clicks the status bar and waits until the banner shows the language.
    bool SwitchTo(UiDriver& app, bool chinese) {
        app.DoubleClick(Control::StatusBar1);
        return WaitUntil([&] { return app.Text(Control::pnl1) == Tr(TextId::Banner, chinese); });
    }

    bool TurnOnHiddenMode(UiDriver& app) {
        app.DoubleClick(Control::Image1);
        return WaitUntil([&] { return app.Visible(Control::Edit1); });
    }
};

TEST_F(WindowLanguageTest, StatusBarDoubleClickSwitchesLanguageAndBack) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    const std::string caption = app.Caption();
    // Something in both inputs, so that emptying them shows.
    app.SetEditText("http://127.0.0.1:9/typed/");
    app.AddListItemRaw(" C:\\Tessaron\\");
    ASSERT_EQ(app.ListCount(), 1);

    ASSERT_TRUE(SwitchTo(app, true));
    ExpectCaptions(app, true);
    EXPECT_EQ(app.Caption(), caption);  // the system's name, whatever the language
    EXPECT_EQ(app.Text(Control::Edit1), "");
    EXPECT_EQ(app.ListCount(), 0);
    SaveScreenshot(app.MainWindow(), "window-chinese");

    app.SetEditText("http://127.0.0.1:9/again/");
    app.AddListItemRaw(" C:\\Tessaron\\");
    ASSERT_TRUE(SwitchTo(app, false));
    ExpectCaptions(app, false);
    EXPECT_EQ(app.Caption(), caption);
    EXPECT_EQ(app.Text(Control::Edit1), "");
    EXPECT_EQ(app.ListCount(), 0);
    // Visibility is not the switch's business.
    for (const ControlLayout& layout : ControlLayouts()) {
        EXPECT_EQ(app.Visible(layout.control), layout.visible) << ControlId(layout.control);
    }
}

TEST_F(WindowLanguageTest, HiddenModeShowsTheBaseAddress) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    ASSERT_FALSE(app.Visible(Control::Label3));
    EXPECT_FALSE(app.Enabled(Control::BitBtn1));

    ASSERT_TRUE(TurnOnHiddenMode(app));
    EXPECT_TRUE(app.Visible(Control::Label3));
    EXPECT_TRUE(app.Visible(Control::Edit1));
    EXPECT_EQ(app.Text(Control::Edit1), kDefaultBase);
    EXPECT_TRUE(app.Enabled(Control::BitBtn1));
    EXPECT_FALSE(app.Visible(Control::BitBtn1));  // enabled, yet still hidden
    EXPECT_FALSE(app.Visible(Control::BitBtn3));
}

TEST_F(WindowLanguageTest, SecondDoubleClickKeepsTheUsersText) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(TurnOnHiddenMode(app));
    const std::string mine = "http://127.0.0.1:8080/Mine/";
    app.SetEditText(mine);

    app.DoubleClick(Control::Image1);
    // Input is handled in order: once the click into Edit1 has moved the
    // focus there, the double-click before it has been handled too.
    app.RealClick(Control::Edit1);
    ASSERT_TRUE(WaitUntil([&] { return app.Focus() == app.Handle(Control::Edit1); }));
    EXPECT_EQ(app.Text(Control::Edit1), mine);

    // Blanks and control characters alone count as empty.
    app.SetEditText(" \t  ");
    app.DoubleClick(Control::Image1);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(Control::Edit1) == kDefaultBase; }))
        << app.Text(Control::Edit1);
}

TEST_F(WindowLanguageTest, LanguageSwitchEmptiesTheBaseButLeavesItVisible) {
    UiDriver& app = StartPellinor();
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(TurnOnHiddenMode(app));
    ASSERT_EQ(app.Text(Control::Edit1), kDefaultBase);

    ASSERT_TRUE(SwitchTo(app, true));
    EXPECT_EQ(app.Text(Control::Edit1), "");
    EXPECT_TRUE(app.Visible(Control::Edit1));
    EXPECT_TRUE(app.Visible(Control::Label3));
    EXPECT_TRUE(app.Enabled(Control::BitBtn1));

    ASSERT_TRUE(SwitchTo(app, false));
    EXPECT_EQ(app.Text(Control::Edit1), "");
    EXPECT_TRUE(app.Visible(Control::Edit1));

    // Empty again, so the next double-click brings the default back.
    app.DoubleClick(Control::Image1);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(Control::Edit1) == kDefaultBase; }));
}

}  // namespace
}  // namespace pellinor::e2e

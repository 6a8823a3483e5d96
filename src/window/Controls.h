// The controls of the main window, in creation order. The numeric value plus
// kControlIdBase is each control's Win32 id, which the UI driver of the Wine
// tests relies on as well.
#pragma once

namespace pellinor {

enum class Control {
    Form = 0,  // the window itself: its caption
    Label1,
    Image1,
    Label3,
    Label2,
    Image2,
    pnl1,
    ProgressBar1,
    BitBtn1,
    Edit1,
    BitBtn2,
    ListBox2,
    cmdExit,
    StatusBar1,
    BitBtn3,
};

constexpr int kControlCount = static_cast<int>(Control::BitBtn3) + 1;
constexpr int kControlIdBase = 100;

constexpr int ControlId(Control c) {
    return kControlIdBase + static_cast<int>(c);
}

// Window class of the main window, so outside tools can find it.
constexpr const char* kMainWindowClass = "TForm1";

}  // namespace pellinor

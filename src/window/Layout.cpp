// The main window's layout table.
#include "window/Layout.h"

namespace pellinor {

namespace {
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kPaleGreen{192, 220, 192};
constexpr Rgb kNone{0, 0, 0};

using K = ControlKind;
using C = Control;

constexpr std::array<ControlLayout, kControlCount - 1> kLayouts{{
    {C::Label1, K::Label, 48, 80, 825, 33, "Arial", 13, true, kBlue, false, kNone, true, true,
     "Label1"},
    {C::Image1, K::Image, 0, 72, 49, 65, nullptr, 0, false, kNone, false, kNone, true, true, ""},
    {C::Label3, K::Label, 48, 136, 825, 33, "Arial", 16, true, kBlack, true, kPaleGreen, false,
     true, "Label3"},
    {C::Label2, K::Label, 48, 208, 521, 33, "Arial", 13, true, kBlue, false, kNone, false, true,
     "Label2"},
    {C::Image2, K::Image, 48, 152, 450, 361, nullptr, 0, false, kNone, false, kNone, true, true,
     ""},
    {C::pnl1, K::Panel, 0, 0, 912, 73, "Arial", 27, true, kGreen, false, kNone, true, true, "pnl1"},
    {C::ProgressBar1, K::ProgressBar, 48, 112, 825, 25, nullptr, 0, false, kNone, false, kNone,
     true, true, ""},
    {C::BitBtn1, K::Button, 584, 264, 313, 57, "Arial", 16, false, kNone, false, kNone, false,
     false, "BitBtn1"},
    {C::Edit1, K::Edit, 48, 168, 825, 26, "Arial", 16, false, kNone, false, kNone, false, true, ""},
    {C::BitBtn2, K::Button, 584, 328, 313, 49, "Arial", 16, false, kNone, false, kNone, true, true,
     "BitBtn2"},
    {C::ListBox2, K::ListBox, 48, 240, 521, 241, "System", 16, false, kNone, false, kNone, false,
     true, ""},
    {C::cmdExit, K::CancelButton, 584, 443, 313, 54, "System", 16, false, kNone, false, kNone, true,
     true, kExitCaption},
    {C::StatusBar1, K::StatusBar, 0, 533, 912, 22, nullptr, 0, false, kNone, false, kNone, true,
     true, kStatusBarText},
    {C::BitBtn3, K::Button, 584, 384, 313, 49, "Arial", 16, false, kNone, false, kNone, false, true,
     "BitBtn3"},
}};

constexpr std::array<Control, 8> kTabOrder{C::ProgressBar1, C::cmdExit, C::BitBtn2,  C::BitBtn1,
                                           C::Edit1,        C::pnl1,    C::ListBox2, C::BitBtn3};
}  // namespace

const std::array<ControlLayout, kControlCount - 1>& ControlLayouts() {
    return kLayouts;
}

const ControlLayout& LayoutOf(Control control) {
    for (const ControlLayout& layout : kLayouts) {
        if (layout.control == control) return layout;
    }
    return kLayouts[0];
}

const std::array<Control, 8>& TabOrder() {
    return kTabOrder;
}

}  // namespace pellinor

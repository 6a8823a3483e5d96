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

// The table's rows, each part of a control's layout under its own name.
struct Box {
    int left, top, width, height;
};
struct Font {
    const char* name;  // nullptr: the window's default font
    int height;
};
constexpr Font kDefaultFont{nullptr, 0};
// The text's colour, and for a label that draws its own background, that.
struct Colours {
    bool hasColour;
    Rgb text;
    bool opaque;
    Rgb background;
};
constexpr Colours kSystemColours{false, kNone, false, kNone};
constexpr Colours Ink(Rgb text) {
    return {true, text, false, kNone};
}
constexpr Colours InkOn(Rgb text, Rgb background) {
    return {true, text, true, background};
}
enum class Shown : bool { Hidden = false, Visible = true };
enum class Usable : bool { Disabled = false, Enabled = true };

constexpr ControlLayout Row(Control control, ControlKind kind, Box box, Font font, Colours colours,
                            Shown shown, Usable usable, const char* text) {
    return {control,
            kind,
            box.left,
            box.top,
            box.width,
            box.height,
            font.name,
            font.height,
            colours.hasColour,
            colours.text,
            colours.opaque,
            colours.background,
            shown == Shown::Visible,
            usable == Usable::Enabled,
            text};
}

constexpr Shown kVisible = Shown::Visible;
constexpr Shown kHidden = Shown::Hidden;
constexpr Usable kEnabled = Usable::Enabled;
constexpr Usable kDisabled = Usable::Disabled;

constexpr std::array<ControlLayout, kControlCount - 1> kLayouts{{
    Row(C::Label1, K::Label, {48, 80, 825, 33}, {"Arial", 13}, Ink(kBlue), kVisible, kEnabled,
        "Label1"),
    Row(C::Image1, K::Image, {0, 72, 49, 65}, kDefaultFont, kSystemColours, kVisible, kEnabled, ""),
    Row(C::Label3, K::Label, {48, 136, 825, 33}, {"Arial", 16}, InkOn(kBlack, kPaleGreen), kHidden,
        kEnabled, "Label3"),
    Row(C::Label2, K::Label, {48, 208, 521, 33}, {"Arial", 13}, Ink(kBlue), kHidden, kEnabled,
        "Label2"),
    Row(C::Image2, K::Image, {48, 152, 450, 361}, kDefaultFont, kSystemColours, kVisible, kEnabled,
        ""),
    Row(C::pnl1, K::Panel, {0, 0, 912, 73}, {"Arial", 27}, Ink(kGreen), kVisible, kEnabled, "pnl1"),
    Row(C::ProgressBar1, K::ProgressBar, {48, 112, 825, 25}, kDefaultFont, kSystemColours, kVisible,
        kEnabled, ""),
    Row(C::BitBtn1, K::Button, {584, 264, 313, 57}, {"Arial", 16}, kSystemColours, kHidden,
        kDisabled, "BitBtn1"),
    Row(C::Edit1, K::Edit, {48, 168, 825, 26}, {"Arial", 16}, kSystemColours, kHidden, kEnabled,
        ""),
    Row(C::BitBtn2, K::Button, {584, 328, 313, 49}, {"Arial", 16}, kSystemColours, kVisible,
        kEnabled, "BitBtn2"),
    Row(C::ListBox2, K::ListBox, {48, 240, 521, 241}, {"System", 16}, kSystemColours, kHidden,
        kEnabled, ""),
    Row(C::cmdExit, K::CancelButton, {584, 443, 313, 54}, {"System", 16}, kSystemColours, kVisible,
        kEnabled, kExitCaption),
    Row(C::StatusBar1, K::StatusBar, {0, 533, 912, 22}, kDefaultFont, kSystemColours, kVisible,
        kEnabled, kStatusBarText),
    Row(C::BitBtn3, K::Button, {584, 384, 313, 49}, {"Arial", 16}, kSystemColours, kHidden,
        kEnabled, "BitBtn3"),
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

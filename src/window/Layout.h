// The fixed layout of the main window: every control's kind, place, font,
// colours and initial state, in creation order. The win32 backend builds the
// window from this table; the Wine tests check the real window against it.
#pragma once

#include <array>
#include <cstdint>

#include "window/Controls.h"

namespace pellinor {

enum class ControlKind {
    Label,
    Image,
    Panel,
    ProgressBar,
    Button,
    CancelButton,
    Edit,
    ListBox,
    StatusBar
};

struct Rgb {
    uint8_t r, g, b;
};

struct ControlLayout {
    Control control;
    ControlKind kind;
    int left, top, width, height;  // in 96-DPI units (DisplayScale)
    const char* fontName;          // nullptr: the window's default font
    int fontHeight;                // character height in 96-DPI units
    bool hasColour;
    Rgb colour;   // text colour
    bool opaque;  // labels: draws its own background
    Rgb background;
    bool visible;
    bool enabled;             // BitBtn1 waits for the hidden mode to enable it
    const char* initialText;  // UTF-8; the language-dependent ones are replaced before first paint
};

constexpr int kClientWidth = 912;
constexpr int kClientHeight = 555;
// The band of face colour between the frame and the client area.
constexpr int kFormBorderWidth = 3;
constexpr const char* kDefaultFontName = "MS Sans Serif";
constexpr int kDefaultFontHeight = 11;

const std::array<ControlLayout, kControlCount - 1>& ControlLayouts();  // every control but Form
const ControlLayout& LayoutOf(Control control);

// Keyboard order; the first focusable one (cmdExit) holds the focus at start.
const std::array<Control, 8>& TabOrder();

constexpr const char* kExitCaption = "E&xit";
constexpr const char* kStatusBarText = "Double-Click here to Switch to Chinese or English";

}  // namespace pellinor

// Making the main window's controls from the layout table: which window
// class and styles realise each kind of control.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/WindowsHeaders.h"
#include "window/Events.h"
#include "window/Layout.h"

namespace pellinor {

// Creates one control as a child of parent with its id, place, font,
// initial text and visibility; nullptr when the system refuses.
HWND CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& layout, HFONT font);

// Kinds that take the keyboard focus (and so are stops of the Tab key).
bool TakesFocus(ControlKind kind);

// Kinds drawn by the main window itself (WM_DRAWITEM).
bool IsOwnerDrawn(const ControlLayout& layout);

// The event a click on the control fires: the four buttons have one.
std::optional<Event> ClickEventOf(Control control);

// The text the status bar is given: a leading tab centres it in its panel.
std::wstring StatusBarText(const std::wstring& text);

}  // namespace pellinor

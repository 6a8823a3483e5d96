// Making the main window's controls from the layout table: which window
// class and styles realise each kind of control.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/WindowsHeaders.h"
#include "window/DisplayScale.h"
#include "window/Events.h"
#include "window/Layout.h"

namespace pellinor {

// Creates one control as a child of parent with its id, place (at the
// scale), font, initial text and visibility; nullptr when the system refuses.
HWND CreateControl(HWND parent, HINSTANCE instance, const ControlLayout& layout,
                   const DisplayScale& scale, HFONT font);

// Kinds that take the keyboard focus (and so are stops of the Tab key).
bool TakesFocus(ControlKind kind);

// Kinds drawn by the main window itself (WM_DRAWITEM).
bool IsOwnerDrawn(const ControlLayout& layout);

// Whether the control is made before the window's first paint: those shown
// at start whose look only they can paint. The labels, the banner and the
// pictures (drawn by the form, or empty) come after it with the controls
// hidden at start, the form painting their look in their place until then:
// on an old PC each window made costs the start a millisecond or more.
bool MadeBeforeFirstPaint(const ControlLayout& layout);

// Whether the control's window has a sunken edge around what it paints.
bool HasSunkenEdge(const ControlLayout& layout);

// The text of a control's window.
std::wstring ControlText(HWND control);

// The event a click on the control fires: the four buttons have one.
std::optional<Event> ClickEventOf(Control control);

// The text the status bar is given: a leading tab centres it in its panel.
std::wstring StatusBarText(const std::wstring& text);

}  // namespace pellinor

// The Window operations on the controls: texts, visibility, the list box,
// the progress bar, repainting and the busy cursor.

#include "platform/Error.h"
#include "platform/win32/Utf.h"
#include "window/win32/Controls.h"
#include "window/win32/Win32Window.h"

namespace pellinor {

namespace {

// Marks the length of one quiet update (see Win32Window::quietUpdate_).
class QuietUpdate {
  public:
    QuietUpdate(bool& quiet, bool& leftOut) : quiet_(quiet) {
        quiet_ = true;
        leftOut = false;
    }
    ~QuietUpdate() { quiet_ = false; }
    QuietUpdate(const QuietUpdate&) = delete;
    QuietUpdate& operator=(const QuietUpdate&) = delete;

  private:
    bool& quiet_;
};

}  // namespace

void Win32Window::SetText(Control control, const std::string& text) {
    HWND window = Get(control);
    if (!window) {
        if (!laterControlsMade_) late_[static_cast<size_t>(control)].text = text;
        return;
    }
    const std::wstring wide = Widen(text);
    if (control == Control::StatusBar1) {
        const std::wstring centred = StatusBarText(wide);
        ::SendMessageW(window, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(centred.c_str()));
        return;
    }
    {
        QuietUpdate quiet(quietUpdate_, paintLeftOut_);
        ::SetWindowTextW(window, wide.c_str());
    }
    // Labels and the banner are drawn by the form: the whole control is
    // painted again, background first, so no trace of the old text stays.
    if (control != Control::Form && IsOwnerDrawn(LayoutOf(control)))
        ::InvalidateRect(window, nullptr, FALSE);
}

std::string Win32Window::Text(Control control) const {
    HWND window = Get(control);
    if (!window) {
        if (laterControlsMade_ || control == Control::Form) return std::string();
        const std::optional<std::string>& text = late_[static_cast<size_t>(control)].text;
        return text ? *text : std::string(LayoutOf(control).initialText);
    }
    if (control == Control::StatusBar1) {
        const auto length = LOWORD(::SendMessageW(window, SB_GETTEXTLENGTHW, 0, 0));
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(window, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
        text.resize(length);
        if (!text.empty() && text.front() == L'\t') text.erase(0, 1);
        return Narrow(text);
    }
    return Narrow(ControlText(window));
}

void Win32Window::SetVisible(Control control, bool visible) {
    HWND window = Get(control);
    if (!window) {
        if (!laterControlsMade_) late_[static_cast<size_t>(control)].visible = visible;
        return;
    }
    if (!visible && ::GetFocus() == window) ::SetFocus(main_);
    ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Window::SetEnabled(Control control, bool enabled) {
    HWND window = Get(control);
    if (!window) {
        if (!laterControlsMade_) late_[static_cast<size_t>(control)].enabled = enabled;
        return;
    }
    // A disabled control loses the focus to the form, which keeps Esc and
    // Tab working while a command has its buttons disabled.
    if (!enabled && ::GetFocus() == window) ::SetFocus(main_);
    ::EnableWindow(window, enabled ? TRUE : FALSE);
}

void Win32Window::ListClear() {
    ::SendMessageW(Get(Control::ListBox2), LB_RESETCONTENT, 0, 0);
}

void Win32Window::ListAppend(const std::string& item) {
    CreateLaterControls();  // an item needs the list itself
    const std::wstring wide = Widen(item);
    ::SendMessageW(Get(Control::ListBox2), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int Win32Window::ListCount() const {
    const LRESULT count = ::SendMessageW(Get(Control::ListBox2), LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int Win32Window::ListSelectedIndex() const {
    const LRESULT index = ::SendMessageW(Get(Control::ListBox2), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32Window::ListSelect(int index) {
    CreateLaterControls();
    ::SendMessageW(Get(Control::ListBox2), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32Window::ListItem(int index) const {
    HWND list = Get(Control::ListBox2);
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) throw Error("List index out of bounds (" + std::to_string(index) + ")");
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return Narrow(text);
}

void Win32Window::SetProgressMax(int32_t max) {
    ::SendMessageW(Get(Control::ProgressBar1), PBM_SETRANGE32, 0, static_cast<LPARAM>(max));
}

void Win32Window::SetProgressPosition(int32_t position) {
    HWND bar = Get(Control::ProgressBar1);
    {
        QuietUpdate quiet(quietUpdate_, paintLeftOut_);
        ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }
    if (paintLeftOut_) ::InvalidateRect(bar, nullptr, FALSE);
}

LRESULT CALLBACK Win32Window::QuietBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self) {
    auto* owner = reinterpret_cast<Win32Window*>(self);
    if (message == WM_PAINT && owner->quietUpdate_) {
        // Validated now and invalidated whole by SetProgressPosition right
        // after, so no paint is lost and none is asked for twice.
        ::ValidateRect(window, nullptr);
        owner->paintLeftOut_ = true;
        return 0;
    }
    if (message == WM_NCDESTROY) ::RemoveWindowSubclass(window, QuietBarProc, id);
    return ::DefSubclassProc(window, message, wParam, lParam);
}

void Win32Window::Repaint() {
    // Paints now whatever changed (the status line, the progress bar) while
    // the caller keeps the message loop waiting; what has not changed is not
    // drawn again, so the window does not flicker at every download step.
    if (main_)
        ::RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ERASENOW | RDW_ALLCHILDREN);
}

void Win32Window::SetBusyCursor(bool busy) {
    busy_ = busy;
    RefreshCursor();
}

void Win32Window::RefreshCursor() {
    // The cursor changes on the next mouse move by itself; asking the window
    // under the pointer now shows the change at once.
    POINT at{};
    if (!::GetCursorPos(&at)) return;
    HWND under = ::WindowFromPoint(at);
    if (!under || ::GetWindowThreadProcessId(under, nullptr) != ::GetCurrentThreadId()) return;
    const LRESULT hit = ::SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                   MAKELPARAM(hit, WM_MOUSEMOVE));
}

}  // namespace pellinor

// The message loop and the form's keyboard: Tab order, Esc, Alt+X, Enter.
#include <algorithm>
#include <vector>

#include "window/Layout.h"
#include "window/win32/Controls.h"
#include "window/win32/Win32Window.h"

namespace pellinor {

namespace {
constexpr Control kButtons[] = {Control::cmdExit, Control::BitBtn1, Control::BitBtn2,
                                Control::BitBtn3};
}

int Win32Window::Run() {
    MSG message{};
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        Deliver(message);
    }
}

void Win32Window::ProcessMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            if (finished_) {
                // Ours: the main loop must still see it.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            // Someone asked the program to end: it does once the running
            // handler has returned, like after the close box.
            closeRequested_ = true;
            exitCode_ = static_cast<int>(message.wParam);
            continue;
        }
        Deliver(message);
    }
    if (closeRequested_ && handlerDepth_ == 0) Finish();
}

void Win32Window::WaitForMessage(uint32_t timeoutMs) {
    // MWMO_INPUTAVAILABLE: also wake for input that is queued already.
    ::MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void Win32Window::Deliver(const MSG& message) {
    if (PreTranslate(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

bool Win32Window::PreTranslate(const MSG& message) {
    if (!main_ || finished_) return false;
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (message.hwnd != main_ && !::IsChild(main_, message.hwnd)) return false;
    const bool alt = (HIWORD(message.lParam) & KF_ALTDOWN) != 0;
    switch (message.wParam) {
        case VK_ESCAPE:
            if (alt) return false;
            // Exit is the cancel button: Esc clicks it, but only while it is
            // enabled; during a command Esc does nothing.
            ClickIfLive(Control::cmdExit);
            return true;
        case VK_TAB:
            if (alt || ::GetKeyState(VK_CONTROL) < 0) return false;
            ::SendMessageW(main_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
            MoveFocus(::GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
            return true;
        case VK_RETURN: {
            if (alt) return false;
            const HWND focus = ::GetFocus();
            for (Control button : kButtons) {
                if (Get(button) == focus) {
                    ClickIfLive(button);
                    return true;
                }
            }
            return false;
        }
        case VK_MENU:
            ::SendMessageW(main_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
            return false;
        case 'X':
            // The accelerator of "E&xit".
            if (!alt) return false;
            ClickIfLive(Control::cmdExit);
            return true;
        default:
            return false;
    }
}

bool Win32Window::ClickIfLive(Control button) {
    HWND window = Get(button);
    if (!window || !::IsWindowVisible(window) || !::IsWindowEnabled(window) ||
        !::IsWindowEnabled(main_))
        return false;
    const std::optional<Event> event = ClickEventOf(button);
    if (!event) return false;
    Fire(*event);
    return true;
}

void Win32Window::MoveFocus(int step) {
    std::vector<HWND> stops;
    for (Control control : TabOrder()) {
        HWND window = Get(control);
        if (TakesFocus(LayoutOf(control).kind) && ::IsWindowVisible(window) &&
            ::IsWindowEnabled(window)) {
            stops.push_back(window);
        }
    }
    if (stops.empty()) return;
    const auto count = static_cast<int>(stops.size());
    const auto at = std::find(stops.begin(), stops.end(), ::GetFocus());
    int next = step > 0 ? 0 : count - 1;
    if (at != stops.end()) next = (static_cast<int>(at - stops.begin()) + step + count) % count;
    FocusControl(stops[static_cast<size_t>(next)]);
}

void Win32Window::FocusControl(HWND control) {
    if (!control) return;
    ::SetFocus(control);
    lastFocus_ = control;
    // Tabbing into the edit selects its text, as in any dialog.
    if (control == Get(Control::Edit1)) ::SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace pellinor

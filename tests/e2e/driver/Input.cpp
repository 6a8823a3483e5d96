// Mouse and keyboard input for the Wine tests.
#include "driver/Input.h"

namespace pellinor::e2e {

namespace {
void SendMouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof input);
}

LPARAM KeyParam(WORD virtualKey, bool up, bool alt) {
    const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM param = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    if (alt) param |= 1 << 29;  // context code: Alt is down
    if (up) param |= (1u << 30) | (1u << 31);
    return param;
}
}  // namespace

void RealClick(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void RealDoubleClick(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void RealKey(HWND window, WORD virtualKey, bool alt) {
    ::SetForegroundWindow(window);
    if (alt) SendKey(VK_MENU, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    if (alt) SendKey(VK_MENU, true);
}

HWND FocusOf(DWORD threadId, HWND fallback) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (::GetGUIThreadInfo(threadId, &info) && info.hwndFocus) return info.hwndFocus;
    return fallback;
}

void PostKey(HWND target, WORD virtualKey, bool alt) {
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    ::PostMessageW(target, down, virtualKey, KeyParam(virtualKey, false, alt));
    ::PostMessageW(target, up, virtualKey, KeyParam(virtualKey, true, alt));
}

}  // namespace pellinor::e2e

// The session's one copy of the program: a named mutex in the session's
// namespace, and a mark on the main window for the second copy to find.
#include "window/win32/FirstCopy.h"

#include "platform/win32/Utf.h"
#include "window/Controls.h"

namespace pellinor {

namespace {
constexpr wchar_t kCopyName[] = L"Local\\Pellinor.Running";
constexpr wchar_t kWindowMark[] = L"Pellinor.FirstCopy";

struct Search {
    DWORD thread = 0;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (Narrow(name) != kMainWindowClass || !::GetPropW(window, kWindowMark)) return TRUE;
    search->found = window;
    return FALSE;
}

// While a box of the first copy is open, its main window is disabled and
// the box is the window to answer: a shown, enabled window of its thread.
BOOL CALLBACK FindOpenBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

FirstCopy::FirstCopy() : mutex_(::CreateMutexW(nullptr, FALSE, kCopyName)) {
    // A name that cannot be made at all claims nothing: the program runs.
    first_ = !mutex_ || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

void FirstCopy::MarkWindow(HWND main) {
    ::SetPropW(main, kWindowMark, reinterpret_cast<HANDLE>(1));
}

bool FirstCopy::BringToFront() {
    Search main;
    ::EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&main));
    if (!main.found) return false;
    HWND front = main.found;
    if (!::IsWindowEnabled(front)) {
        Search box;
        ::EnumThreadWindows(::GetWindowThreadProcessId(front, nullptr), FindOpenBox,
                            reinterpret_cast<LPARAM>(&box));
        if (box.found) front = box.found;
    }
    if (::IsIconic(main.found)) ::ShowWindow(main.found, SW_RESTORE);
    return ::SetForegroundWindow(front) != FALSE;
}

}  // namespace pellinor

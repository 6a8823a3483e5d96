// The smallest Win32 window program: one empty top-level window of its own
// class and a message loop. The Wine benchmark starts it beside Pellinor.exe
// to see what a window costs to show under Wine before any program's work.
// Built a second time with PELLINOR_PLAIN_WITH_COMMON_CONTROLS (and the
// program's manifest): the same window, but loading the system's common
// controls first, as every window made of them must.
#include <windows.h>
#ifdef PELLINOR_PLAIN_WITH_COMMON_CONTROLS
#include <commctrl.h>
#endif

namespace {
constexpr wchar_t kClassName[] = L"PellinorPlainWindow";

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
#ifdef PELLINOR_PLAIN_WITH_COMMON_CONTROLS
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
#endif
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassW(&windowClass)) return 1;
    const HWND window =
        ::CreateWindowExW(0, kClassName, L"Plain", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

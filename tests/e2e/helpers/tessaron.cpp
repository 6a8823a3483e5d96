// Stand-in for the lock program in the Wine tests: a small window showing the
// version mark of its own file ("old" without one), running until it is
// ended. Tests copy it under the lock program's name into install folders.
#include <windows.h>

#include <string>

#include "helpers/VersionTrailer.h"

namespace {
constexpr wchar_t kClassName[] = L"TessaronStandIn";
constexpr int kVersionTextId = 100;

std::string ReadOwnFile() {
    wchar_t path[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    const HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    ::CloseHandle(file);
    return bytes;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return wide;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::wstring version = FromUtf8(pellinor::e2e::VersionOf(ReadOwnFile()));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassW(&windowClass);
    const std::wstring caption = L"Tessaron " + version;
    const HWND window = ::CreateWindowExW(0, kClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0,
                                          320, 120, nullptr, nullptr, instance, nullptr);
    ::CreateWindowExW(0, L"STATIC", version.c_str(), WS_CHILD | WS_VISIBLE, 10, 10, 280, 24, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kVersionTextId)), instance,
                      nullptr);
    // Not activated: the tests type into Pellinor's window at the same time.
    ::ShowWindow(window, SW_SHOWNOACTIVATE);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}

// Keeps a file open without write or delete sharing until it is ended, as a
// running program or a virus scanner would: the tests of a refused
// replacement. Signals the named event "PellinorHolderReady-<pid>" once the
// file is open; exits with 2 when it cannot open the file.
//   holder.exe FILE
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count < 2) return 1;
    const HANDLE file = ::CreateFileW(arguments[1], GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ::LocalFree(arguments);
    if (file == INVALID_HANDLE_VALUE) return 2;

    const std::wstring name = L"PellinorHolderReady-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE ready = ::CreateEventW(nullptr, TRUE, TRUE, name.c_str());
    for (;;) ::Sleep(INFINITE);
    ::CloseHandle(ready);
    ::CloseHandle(file);
    return 0;
}

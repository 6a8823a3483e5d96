// Leaves a trace that it was started, for the tests of "the setup program was
// started" and "the archive was opened": writes its own path and its
// arguments, one a line in UTF-8, then exits.
//   marker.exe [--out FILE] [ARGS...]
// Without --out the trace goes next to the program: its own path + ".marker".
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

namespace {
std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                          nullptr, nullptr);
    return bytes;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH * 2] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring out = std::wstring(self) + L".marker";
    std::string trace = ToUtf8(self) + "\n";

    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; arguments && i < count; ++i) {
        if (std::wstring(arguments[i]) == L"--out" && i + 1 < count) {
            out = arguments[++i];
            continue;
        }
        trace += ToUtf8(arguments[i]) + "\n";
    }
    if (arguments) ::LocalFree(arguments);

    // The trace appears whole or not at all: a test that sees the file must
    // never read it between its creation and its one write.
    const std::wstring part = out + L".part";
    const HANDLE file = ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(file, trace.data(), static_cast<DWORD>(trace.size()), &written, nullptr);
    ::CloseHandle(file);
    if (!ok || written != trace.size()) return 3;
    return ::MoveFileExW(part.c_str(), out.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}

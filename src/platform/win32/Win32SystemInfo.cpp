// Facts about the running Windows, and the system's texts for error codes.
#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"

namespace pellinor {

std::string SystemErrorText(uint32_t code) {
    LocalMemory<wchar_t*> buffer;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.Out()), 0, nullptr);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer.Get(), length) : std::wstring();
    // The system's texts end in "\r\n" (sometimes after a blank); the user's
    // boxes show them inside a sentence of our own.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        char fallback[32];
        std::snprintf(fallback, sizeof fallback, "Error %lu.", static_cast<unsigned long>(code));
        return fallback;
    }
    return Narrow(text);
}

std::string Win32SystemInfo::DefaultLanguageNameAnsi() {
    // The A function on purpose: the language test looks at the name's bytes
    // in the system's ANSI code page.
    char name[50] = {};
    ::VerLanguageNameA(::GetSystemDefaultLangID(), name, sizeof name);
    name[sizeof name - 1] = '\0';
    return std::string(name);
}

std::string Win32SystemInfo::AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return std::string();
    const int size = static_cast<int>(ansi.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    if (length <= 0) return std::string();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
    return Narrow(wide);
}

std::string Win32SystemInfo::DecimalSeparator() {
    wchar_t separator[8] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
    return Narrow(separator);
}

std::string Win32SystemInfo::ExecutablePath() {
    return ExecutableFilePath();
}

std::string ExecutableFilePath() {
    // Paths may exceed MAX_PATH; grow until the whole name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return Narrow(std::wstring(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

uint32_t Win32SystemInfo::TickCount() {
    return ::GetTickCount();
}

}  // namespace pellinor

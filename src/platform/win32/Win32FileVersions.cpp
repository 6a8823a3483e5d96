// A program file's version resource: the fixed part's file version and the
// name the program was built under, as the system reads them.
#include "platform/win32/Win32FileVersions.h"

#include <windows.h>

#include <cstdint>
#include <cwchar>
#include <vector>

#include "platform/win32/Utf.h"

namespace pellinor {

namespace {
constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;
// Where a resource lists no language of its strings: the two that resource
// compilers write most (US English in Unicode, and in the Western code page).
constexpr const wchar_t* kUsualLanguages[] = {L"040904B0", L"040904E4"};

std::wstring Hex4(unsigned value) {
    wchar_t text[5] = {};
    std::swprintf(text, 5, L"%04X", value & 0xFFFF);
    return text;
}

// A string of the resource's string table, in the first language that has
// it: those the resource lists first, then the usual ones.
std::string StringValue(std::vector<BYTE>& data, const wchar_t* name) {
    std::vector<std::wstring> languages;
    WORD* pairs = nullptr;
    UINT bytes = 0;
    if (::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&pairs), &bytes) &&
        pairs) {
        for (UINT i = 0; i + 1 < bytes / sizeof(WORD); i += 2) {
            languages.push_back(Hex4(pairs[i]) + Hex4(pairs[i + 1]));
        }
    }
    for (const wchar_t* usual : kUsualLanguages) languages.emplace_back(usual);

    for (const std::wstring& language : languages) {
        const std::wstring query = L"\\StringFileInfo\\" + language + L"\\" + name;
        wchar_t* value = nullptr;
        UINT chars = 0;
        if (::VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value),
                             &chars) &&
            value && chars > 0) {
            const std::wstring text(value, ::wcsnlen(value, chars));
            if (!text.empty()) return Narrow(text);
        }
    }
    return std::string();
}
}  // namespace

FileVersion Win32FileVersions::Read(const std::string& path) {
    FileVersion version;
    const std::wstring wide = Widen(path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(wide.c_str(), &ignored);
    if (size == 0) return version;
    std::vector<BYTE> data(size);
    if (!::GetFileVersionInfoW(wide.c_str(), 0, size, data.data())) return version;
    version.present = true;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed && fixed->dwSignature == kFixedInfoSignature) {
        version.number =
            (static_cast<uint64_t>(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS;
    }
    version.name = StringValue(data, L"OriginalFilename");
    if (version.name.empty()) version.name = StringValue(data, L"InternalName");
    return version;
}

}  // namespace pellinor

// The current user's "Shell Folders" key in the real registry.
#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"

namespace pellinor {

namespace {
constexpr const wchar_t* kShellFoldersKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

std::optional<RegistryValue> Win32Registry::ReadShellFolder(const std::string& valueName) {
    ScopedRegistryKey key;
    // Full access, as the program has always asked for: where that is refused
    // the key counts as absent.
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_ALL_ACCESS, key.Out()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = Widen(valueName);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryValue value;
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        value.isString = false;
        return value;
    }
    // The value may change between the two calls; ask again while it grows.
    std::vector<wchar_t> data;
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        status = ::RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        value.isString = false;
        return value;
    }
    // Stored strings need not carry their terminating zero; stop at the first.
    const size_t count = std::min<size_t>(size / sizeof(wchar_t), data.size());
    std::wstring text(data.data(), count);
    const size_t zero = text.find(L'\0');
    if (zero != std::wstring::npos) text.resize(zero);
    value.text = Narrow(text);
    return value;
}

}  // namespace pellinor

// Where and when the support log writes on Windows: the local application
// data folder, and the local time with its offset from UTC.
#include "platform/win32/Win32LogPlace.h"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cstdint>

#include "platform/win32/Utf.h"

namespace pellinor {

std::string LocalAppDataFolder() {
    wchar_t path[MAX_PATH] = {};
    if (SUCCEEDED(
            ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) &&
        path[0] != L'\0') {
        return Narrow(path);
    }
    // A profile whose shell folders are not set up (a service's, say) may
    // still carry the variable.
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (length <= 1) return std::string();
    std::wstring value(length, L'\0');
    const DWORD got = ::GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), length);
    if (got == 0 || got >= length) return std::string();
    value.resize(got);
    return Narrow(value);
}

LocalTime LocalTimeNow() {
    SYSTEMTIME utc{};
    ::GetSystemTime(&utc);
    SYSTEMTIME local = utc;
    // The zone's rule for this very moment, daylight saving time included.
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
    FILETIME utcFile{}, localFile{};
    ::SystemTimeToFileTime(&utc, &utcFile);
    ::SystemTimeToFileTime(&local, &localFile);
    const auto ticks = [](const FILETIME& f) {
        return static_cast<int64_t>((static_cast<uint64_t>(f.dwHighDateTime) << 32) |
                                    f.dwLowDateTime);
    };
    constexpr int64_t kTicksPerMinute = 600000000;  // of 100 ns
    LocalTime now;
    now.year = local.wYear;
    now.month = local.wMonth;
    now.day = local.wDay;
    now.hour = local.wHour;
    now.minute = local.wMinute;
    now.second = local.wSecond;
    now.millisecond = local.wMilliseconds;
    now.utcOffsetMinutes = static_cast<int>((ticks(localFile) - ticks(utcFile)) / kTicksPerMinute);
    return now;
}

}  // namespace pellinor

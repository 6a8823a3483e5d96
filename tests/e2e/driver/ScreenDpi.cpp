// LogPixels of the prefix, set and put back.
#include "driver/ScreenDpi.h"

namespace pellinor::e2e {

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr,
                       &value, &size) == ERROR_SUCCESS) {
        before_ = value;
    }
    set_ = ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi,
                             sizeof dpi) == ERROR_SUCCESS;
}

ScreenDpi::~ScreenDpi() {
    if (before_) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &*before_,
                          sizeof *before_);
    } else {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
    }
}

}  // namespace pellinor::e2e

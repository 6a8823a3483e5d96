// The DPI that programs started from now on see: the prefix's LogPixels
// (HKCU\Control Panel\Desktop, which Wine 8 reads first), removed again at
// the end so that nothing run afterwards in the prefix sees it.
#pragma once

#include <windows.h>

namespace pellinor::e2e {

class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
    ~ScreenDpi() { ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"LogPixels"); }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

  private:
    static constexpr wchar_t kKey[] = L"Control Panel\\Desktop";
};

}  // namespace pellinor::e2e

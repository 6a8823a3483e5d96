// The DPI that programs started from now on see: the prefix's LogPixels
// (HKCU\Control Panel\Desktop, the value Wine 8 reads first), set for a
// while and put back as it was, so that nothing else run in the prefix
// afterwards sees it.
#pragma once

#include <windows.h>

#include <optional>

namespace pellinor::e2e {

class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

    bool Set() const { return set_; }

  private:
    std::optional<DWORD> before_;  // none: the value was missing
    bool set_ = false;
};

}  // namespace pellinor::e2e

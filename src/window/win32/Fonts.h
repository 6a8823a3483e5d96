// The fonts of the main window's controls, made once and kept for the life of
// the window.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/WindowsHeaders.h"
#include "window/DisplayScale.h"

namespace pellinor {

class FontCache {
  public:
    // The font of that face and character height in 96-DPI units, made at
    // the cache's scale; nullptr as the name gives the window's default
    // font. Never nullptr: a face the system lacks is replaced by the font
    // mapper.
    HFONT Get(const char* name, int height);
    // Set before the first font is made.
    void SetScale(const DisplayScale& scale) { scale_ = scale; }

  private:
    DisplayScale scale_;
    struct Entry {
        std::string name;
        int height;
        GdiObject<HFONT> font;
    };
    std::vector<Entry> fonts_;
};

// A font by face name and character height (not cell height) in pixels.
GdiObject<HFONT> MakeFont(const std::wstring& face, int height);

}  // namespace pellinor

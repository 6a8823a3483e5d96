// Fonts of the main window's controls.
#include "window/win32/Fonts.h"

#include "platform/win32/Utf.h"
#include "window/Layout.h"

namespace pellinor {

GdiObject<HFONT> MakeFont(const std::wstring& face, int height) {
    LOGFONTW font{};
    // A negative height asks for the character height, as the layout gives it.
    font.lfHeight = -height;
    font.lfWeight = FW_NORMAL;
    // Any character set: the captions are Chinese or English, and the font
    // mapper must be free to pick a face that has the Chinese ones.
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return GdiObject<HFONT>(::CreateFontIndirectW(&font));
}

HFONT FontCache::Get(const char* name, int height) {
    if (name == nullptr) {
        name = kDefaultFontName;
        height = kDefaultFontHeight;
    }
    for (const Entry& entry : fonts_) {
        if (entry.name == name && entry.height == height) return entry.font.Get();
    }
    GdiObject<HFONT> font = MakeFont(Widen(name), scale_.Pixels(height));
    if (!font) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    fonts_.push_back(Entry{name, height, std::move(font)});
    return fonts_.back().font.Get();
}

}  // namespace pellinor

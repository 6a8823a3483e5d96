// A dialog template written in memory, for the boxes made without a
// resource (the information box, the sign-in box): WORD-aligned fields,
// each item on a DWORD boundary.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

// The predefined window classes an item names by atom.
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;

class DialogTemplate {
  public:
    // The header: no menu, the dialog class, the caption. A size of 0 is
    // set in pixels once the contents are measured.
    DialogTemplate(DWORD style, DWORD exStyle, WORD items, short width, short height,
                   const std::wstring& caption) {
        Dword(style);
        Dword(exStyle);
        Word(items);
        Word(0);
        Word(0);
        Word(static_cast<WORD>(width));
        Word(static_cast<WORD>(height));
        Word(0);  // no menu
        Word(0);  // the dialog class, "#32770"
        String(caption);
    }
    // Follows the caption when the style holds DS_SETFONT.
    void Font(WORD points, const std::wstring& face) {
        Word(points);
        String(face);
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
              const std::wstring& text) {
        if (words_.size() % 2 != 0) Word(0);
        Dword(style);
        Dword(0);  // extended style
        for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        String(text);
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void String(const std::wstring& text) {
        words_.insert(words_.end(), text.begin(), text.end());
        Word(0);
    }
    std::vector<WORD> words_;
};

}  // namespace pellinor

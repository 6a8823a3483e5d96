// The UI language: picked from the system language's name, and the captions
// that follow it.
#pragma once

#include <string>

#include "window/Window.h"

namespace pellinor {

// True when the name, in the system's ANSI code page, holds the code page 936
// form of "中" (bytes D6 D0). A Traditional Chinese name in code page 950 does not.
bool LanguageNameIsChinese(const std::string& ansiName);

// Writes every language-dependent caption, the window's first.
void WriteCaptions(Window& window, bool chinese, const std::string& systemLanguageName);

}  // namespace pellinor

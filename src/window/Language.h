// The captions that follow the UI language.
#pragma once

#include <string>

#include "window/Window.h"

namespace pellinor {

// Writes every language-dependent caption, the window's first.
void WriteCaptions(Window& window, bool chinese, const std::string& systemLanguageName);

}  // namespace pellinor

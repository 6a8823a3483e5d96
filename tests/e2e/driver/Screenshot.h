// Pictures of windows as they are on the screen, saved as PNG, so a person
// can look at what the tests saw.
#pragma once

#include <windows.h>

#include <string>

namespace pellinor::e2e {

// The folder of the pictures inside the build folder, ending in "\"; made
// when missing.
std::string ScreenshotFolder();

// Copies the window's screen area (frame included) into a PNG file.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace pellinor::e2e

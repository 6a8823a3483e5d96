// The screen the main window opens on: its DPI, its work area, and so the
// scale the window is drawn at and the place it opens at.
#pragma once

#include "platform/win32/WindowsHeaders.h"
#include "window/DisplayScale.h"

namespace pellinor {

// The system's DPI (LOGPIXELSY of the screen), or a lower one when the form
// in a frame of that style would not fit the work area (FittingScale).
DisplayScale ScreenScale(DWORD style, DWORD exStyle);

// The top-left corner of a window of that size centred on the screen, moved
// inside the work area where it would cross its edge (the taskbar's side).
POINT CentredOnScreen(int width, int height);

}  // namespace pellinor

// How the owner-drawn controls of the main window look: the labels, the
// banner panel and the illustration, and the form's inner border.
#pragma once

#include "platform/win32/WindowsHeaders.h"
#include "window/Layout.h"

namespace pellinor {

// The form's face beneath a control: what a transparent control shows.
void PaintFormFace(HDC dc, const RECT& area);

// A label: its background (the form's face when transparent), then its text
// on one line, left-aligned and centred vertically, in its colour.
void PaintLabel(const DRAWITEMSTRUCT& item, const ControlLayout& layout, HFONT font);

// The banner panel: raised outer bevel, a border of the face colour, raised
// inner bevel, and the caption centred both ways.
void PaintPanel(const DRAWITEMSTRUCT& item, const ControlLayout& layout, HFONT font);

// A picture already sized to the control; the form's face when there is none.
void PaintPicture(const DRAWITEMSTRUCT& item, HBITMAP picture);

// The band of face colour between the window frame and the client area.
void PaintBorderBand(HWND window, int width);

}  // namespace pellinor

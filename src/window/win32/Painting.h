// How the owner-drawn controls of the main window look: the labels, the
// banner panel and the illustration, and the form's inner border. Each
// paints into a context and an area, so that the form can paint a control's
// look in its place before the control is made.
#pragma once

#include <string>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/WindowsHeaders.h"
#include "window/DisplayScale.h"
#include "window/Layout.h"

namespace pellinor {

// Paints into an off-screen bitmap and copies the result to the target when
// it ends, so a control that repaints at every download step does not flicker.
class BufferedPaint {
  public:
    BufferedPaint(HDC target, const RECT& area);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // The context to paint into, in the target's coordinates.
    HDC Dc() const { return memory_.Get() ? memory_.Get() : target_; }

  private:
    HDC target_;
    RECT area_;
    MemoryDc memory_;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    POINT oldOrigin_{};
};

// The form's face beneath a control: what a transparent control shows.
void PaintFormFace(HDC dc, const RECT& area);

// A label: its background (the form's face when transparent), then its text
// on one line, left-aligned and centred vertically, in its colour.
void PaintLabel(HDC dc, const RECT& area, const std::wstring& text, const ControlLayout& layout,
                HFONT font);

// The banner panel: raised outer bevel, a border of the face colour, raised
// inner bevel, and the caption centred both ways; bevels and border as wide
// as the scale makes them.
void PaintPanel(HDC dc, const RECT& area, const std::wstring& text, const ControlLayout& layout,
                const DisplayScale& scale, HFONT font);

// A picture already sized to the control; the form's face when there is none.
void PaintPicture(HDC dc, const RECT& area, HBITMAP picture);

// The band of face colour between the window frame and the client area.
void PaintBorderBand(HWND window, int width);

}  // namespace pellinor

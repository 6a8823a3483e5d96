// The main window's scale and place on the screen.
#include "window/win32/ScreenScale.h"

#include "platform/win32/ScopedHandles.h"

namespace pellinor {

namespace {

RECT WorkArea() {
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// Where a window of `length` starts on one axis: centred between the
// screen's edges, then kept between the work area's.
int Place(int screen, int first, int last, int length) {
    int at = (screen - length) / 2;
    if (at + length > last) at = last - length;
    if (at < first) at = first;
    return at;
}

}  // namespace

DisplayScale ScreenScale(DWORD style, DWORD exStyle) {
    // The program declares itself aware of the DPI (its manifest), so this is
    // the display's own figure: 96 at 100 %, 120 at 125 % and XP's large
    // fonts, 144 at 150 %, 192 at 200 %.
    int dpi = kLayoutDpi;
    const WindowDc screen(nullptr, ::GetDC(nullptr));
    if (screen.Get()) dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const RECT work = WorkArea();
    return FittingScale(dpi, frame.right - frame.left, frame.bottom - frame.top,
                        work.right - work.left, work.bottom - work.top);
}

POINT CentredOnScreen(int width, int height) {
    const RECT work = WorkArea();
    return {Place(::GetSystemMetrics(SM_CXSCREEN), work.left, work.right, width),
            Place(::GetSystemMetrics(SM_CYSCREEN), work.top, work.bottom, height)};
}

}  // namespace pellinor

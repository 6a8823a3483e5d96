// Painting of the owner-drawn controls.
#include "window/win32/Painting.h"

#include <string>

#include "platform/win32/ScopedHandles.h"

namespace pellinor {

namespace {

COLORREF ToColorRef(const Rgb& rgb) {
    return RGB(rgb.r, rgb.g, rgb.b);
}

// A bevel of `width` pixels: the top and left edges in one colour, the
// bottom and right ones in another; the rectangle shrinks by the width.
void Bevel(HDC dc, RECT& area, int width, COLORREF topLeft, COLORREF bottomRight) {
    const auto line = [dc](int left, int top, int right, int bottom, COLORREF colour) {
        const RECT edge{left, top, right, bottom};
        ::SetBkColor(dc, colour);
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &edge, nullptr, 0, nullptr);
    };
    // Pixel rows from the outside in, so that the corners step as a
    // one-pixel bevel's do.
    for (int i = 0; i < width; ++i) {
        line(area.left, area.top, area.right - 1, area.top + 1, topLeft);
        line(area.left, area.top, area.left + 1, area.bottom - 1, topLeft);
        line(area.left, area.bottom - 1, area.right, area.bottom, bottomRight);
        line(area.right - 1, area.top, area.right, area.bottom, bottomRight);
        ::InflateRect(&area, -1, -1);
    }
}

}  // namespace

BufferedPaint::BufferedPaint(HDC target, const RECT& area)
    : target_(target), area_(area), memory_(target) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!memory_.Get() || width <= 0 || height <= 0) return;
    bitmap_ = GdiObject<HBITMAP>(::CreateCompatibleBitmap(target, width, height));
    if (!bitmap_) return;
    oldBitmap_ = ::SelectObject(memory_.Get(), bitmap_.Get());
    // Painting code keeps the target's coordinates.
    ::SetWindowOrgEx(memory_.Get(), area.left, area.top, &oldOrigin_);
}

BufferedPaint::~BufferedPaint() {
    if (!oldBitmap_) return;
    ::BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
             memory_.Get(), area_.left, area_.top, SRCCOPY);
    ::SetWindowOrgEx(memory_.Get(), oldOrigin_.x, oldOrigin_.y, nullptr);
    ::SelectObject(memory_.Get(), oldBitmap_);
}

void PaintFormFace(HDC dc, const RECT& area) {
    ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
}

void PaintLabel(HDC target, const RECT& area, const std::wstring& text, const ControlLayout& layout,
                HFONT font) {
    BufferedPaint buffer(target, area);
    const HDC dc = buffer.Dc();
    // The form has no picture of its own, so its face is exactly what a
    // transparent label lets through; painting it here also wipes the
    // previous text, which a label that changes at every download step needs.
    if (layout.opaque) {
        ::SetBkColor(dc, ToColorRef(layout.background));
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    } else {
        PaintFormFace(dc, area);
    }
    SelectInDc selectFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, layout.hasColour ? ToColorRef(layout.colour) : ::GetSysColor(COLOR_BTNTEXT));
    RECT textArea = area;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
}

void PaintPanel(HDC target, const RECT& outer, const std::wstring& text,
                const ControlLayout& layout, const DisplayScale& scale, HFONT font) {
    const int bevel = scale.Pixels(1);
    const int border = scale.Pixels(2);
    BufferedPaint buffer(target, outer);
    const HDC dc = buffer.Dc();
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    RECT area = outer;
    Bevel(dc, area, bevel, light, shadow);
    PaintFormFace(dc, area);
    ::InflateRect(&area, -border, -border);
    Bevel(dc, area, bevel, light, shadow);

    SelectInDc selectFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, layout.hasColour ? ToColorRef(layout.colour) : ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
}

void PaintPicture(HDC dc, const RECT& area, HBITMAP picture) {
    if (!picture) {
        PaintFormFace(dc, area);
        return;
    }
    const MemoryDc source(::CreateCompatibleDC(dc));
    SelectInDc select(source.Get(), picture);
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.Get(),
             0, 0, SRCCOPY);
}

void PaintBorderBand(HWND window, int width) {
    // The band lies between the frame that the system draws and the client
    // area: the client rectangle in window coordinates, widened by the band.
    RECT client{};
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    ::OffsetRect(&client, origin.x - frame.left, origin.y - frame.top);
    RECT outer = client;
    ::InflateRect(&outer, width, width);

    const WindowDc held(window, ::GetWindowDC(window));
    HDC dc = held.Get();
    if (!dc) return;
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    PaintFormFace(dc, outer);
}

}  // namespace pellinor

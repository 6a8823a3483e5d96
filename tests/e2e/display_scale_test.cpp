// The real Pellinor.exe under Wine at 100, 125, 150 and 200 %: the window
// grows with the DPI, every control where the scaled layout puts it, inside
// the client area and clear of the others, and every text fits its control
// in both languages.
#include <algorithm>
#include <cstdio>

#include "Fixture.h"
#include "driver/ScreenDpi.h"
#include "platform/win32/Utf.h"
#include "text/Texts.h"
#include "window/DisplayScale.h"

namespace pellinor::e2e {
namespace {

bool Meet(const RECT& a, const RECT& b) {
    RECT both{};
    return ::IntersectRect(&both, &a, &b) != FALSE;
}

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.Right(), r.Bottom()};
}

// The text as the control shows it, measured with the control's font
// against the control's client area less a margin each side (and Exit's
// glyph). The font is made here as the program makes it, from the layout's
// face and the scaled height: a font handle means nothing in another process.
void ExpectTextFits(UiDriver& app, const ControlLayout& layout, const DisplayScale& scale) {
    std::wstring text = Widen(app.Text(layout.control));
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    if (text.empty()) return;
    LOGFONTW face{};
    face.lfHeight = -scale.Pixels(layout.fontName ? layout.fontHeight : kDefaultFontHeight);
    face.lfCharSet = DEFAULT_CHARSET;
    Widen(layout.fontName ? layout.fontName : kDefaultFontName).copy(face.lfFaceName, 31);
    HFONT font = ::CreateFontIndirectW(&face);
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);

    RECT client{};
    ::GetClientRect(app.Handle(layout.control), &client);
    int room = client.right - 2 * scale.Pixels(4);
    if (layout.control == Control::cmdExit) room -= scale.Pixels(16 + 8);
    EXPECT_LE(size.cx, room) << Narrow(text);
    EXPECT_LE(size.cy, client.bottom) << Narrow(text);
}

using DisplayScaleTest = WineTest;

TEST_F(DisplayScaleTest, WindowControlsAndTextsGrowWithTheDpi) {
    SIZE at96{};
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        const ScreenDpi logPixels(static_cast<DWORD>(dpi));
        ASSERT_TRUE(logPixels.Set());
        UiDriver& app = StartPellinor();
        ASSERT_TRUE(app.Started());
        const DisplayScale scale(dpi);

        // The window less the frame the system draws around the form (the
        // caption grows with the DPI, the fixed border stays 3 pixels).
        RECT frame{};
        ::GetWindowRect(app.MainWindow(), &frame);
        const SIZE client = app.ClientSize();
        const int band = 2 * scale.Pixels(kFormBorderWidth);
        const SIZE form{client.cx + band, client.cy + band};
        std::printf("LogPixels %d: window %ldx%ld, form %ldx%ld\n", dpi, frame.right - frame.left,
                    frame.bottom - frame.top, form.cx, form.cy);
        if (dpi == 96) at96 = form;
        EXPECT_NEAR(form.cx, at96.cx * dpi / 96.0, 2);
        EXPECT_NEAR(form.cy, at96.cy * dpi / 96.0, 2);
        const RECT clientArea{0, 0, client.cx, client.cy};
        EXPECT_EQ(client.cx, scale.Pixels(kClientWidth));
        EXPECT_EQ(client.cy, scale.Pixels(kClientHeight));
        for (const ControlLayout& a : ControlLayouts()) {
            const RECT place = app.Rect(a.control);
            const RECT expected = ToRect(scale.Rect(a));
            EXPECT_TRUE(::EqualRect(&place, &expected)) << ControlId(a.control);
            RECT inside{};
            ::IntersectRect(&inside, &place, &clientArea);
            EXPECT_TRUE(::EqualRect(&inside, &place)) << ControlId(a.control);
            // Controls apart at 100 % stay apart.
            for (const ControlLayout& b : ControlLayouts()) {
                if (a.control == b.control ||
                    Meet(ToRect(DisplayScale().Rect(a)), ToRect(DisplayScale().Rect(b))))
                    continue;
                EXPECT_FALSE(Meet(place, app.Rect(b.control)))
                    << ControlId(a.control) << " " << ControlId(b.control);
            }
        }
        for (const bool chinese : {false, true}) {
            if (chinese) {
                app.DoubleClick(Control::StatusBar1);
                ASSERT_TRUE(
                    WaitUntil([&] { return app.Text(Control::pnl1) == Tr(TextId::Banner, true); }));
            }
            for (const ControlLayout& layout : ControlLayouts()) {
                ExpectTextFits(app, layout, scale);
            }
        }
        app.Click(Control::cmdExit);
        ASSERT_TRUE(app.WaitForExit());
    }
}

}  // namespace
}  // namespace pellinor::e2e

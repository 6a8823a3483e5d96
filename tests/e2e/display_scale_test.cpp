// The real Pellinor.exe under Wine at 100, 125, 150 and 200 %: the form, every
// control and every text of both languages at the scale of the DPI.
#include <algorithm>

#include "Fixture.h"
#include "driver/ScreenDpi.h"
#include "platform/win32/Utf.h"
#include "text/Texts.h"
#include "window/DisplayScale.h"
#include "window/win32/Fonts.h"

namespace pellinor::e2e {
namespace {

// The text in the control's font, made as the program makes it (a font handle
// means nothing in another process), within the control less margins and cross.
void ExpectTextFits(UiDriver& app, const ControlLayout& layout, FontCache& fonts,
                    const DisplayScale& scale) {
    std::wstring text = Widen(app.Text(layout.control));
    text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
    const WindowDc screen(nullptr, ::GetDC(nullptr));
    const SelectInDc font(screen.Get(), fonts.Get(layout.fontName, layout.fontHeight));
    SIZE size{};
    ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    RECT client{};
    ::GetClientRect(app.Handle(layout.control), &client);
    const int cross = layout.control == Control::cmdExit ? scale.Pixels(16 + 8) : 0;
    EXPECT_LE(size.cx, client.right - 2 * scale.Pixels(4) - cross) << Narrow(text);
    EXPECT_LE(size.cy, client.bottom) << Narrow(text);
}

using DisplayScaleTest = WineTest;

TEST_F(DisplayScaleTest, WindowControlsAndTextsGrowWithTheDpi) {
    SIZE at96{};
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE("LogPixels " + std::to_string(dpi));
        const ScreenDpi logPixels(static_cast<DWORD>(dpi));
        UiDriver& app = StartPellinor();
        ASSERT_TRUE(app.Started());
        const DisplayScale scale(dpi);
        FontCache fonts;
        fonts.SetScale(scale);
        // The client area and its band; the frame around them is the system's.
        const int band = 2 * scale.Pixels(kFormBorderWidth);
        const SIZE form{app.ClientSize().cx + band, app.ClientSize().cy + band};
        if (dpi == 96) at96 = form;
        EXPECT_NEAR(form.cx, at96.cx * dpi / 96.0, 2);
        EXPECT_NEAR(form.cy, at96.cy * dpi / 96.0, 2);
        for (const ControlLayout& layout : ControlLayouts()) {
            const PixelRect p = scale.Rect(layout);
            const RECT place = app.Rect(layout.control),
                       expected{p.left, p.top, p.Right(), p.Bottom()};
            EXPECT_TRUE(::EqualRect(&place, &expected)) << ControlId(layout.control);
        }
        for (const bool chinese : {false, true}) {
            if (chinese) app.DoubleClick(Control::StatusBar1);
            ASSERT_TRUE(
                WaitUntil([&] { return app.Text(Control::pnl1) == Tr(TextId::Banner, chinese); }));
            for (const ControlLayout& layout : ControlLayouts())
                ExpectTextFits(app, layout, fonts, scale);
        }
        app.Click(Control::cmdExit);
        ASSERT_TRUE(app.WaitForExit());
    }
}

}  // namespace
}  // namespace pellinor::e2e

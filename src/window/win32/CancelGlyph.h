// The glyph of the Exit button: the standard cancel mark, a red cross.
#pragma once

#include "platform/win32/ScopedHandles.h"

namespace pellinor {

// The cross's side at 96 DPI.
constexpr int kCancelGlyphSize = 16;

// An image list of size x size pixels for BCM_SETIMAGELIST with one picture per button state
// (normal, hot, pressed, disabled, default, stylus hot): the cross is grey
// while the button is disabled.
ImageList MakeCancelGlyph(int size);

}  // namespace pellinor

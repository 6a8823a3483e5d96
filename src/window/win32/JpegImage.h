// The illustration: a JPEG resource decoded and reduced once to the size it
// is shown at, so that painting it is a plain copy.
#pragma once

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/WindowsHeaders.h"

namespace pellinor {

// A 24-bit bitmap of width x height holding the RCDATA resource `id`, a JPEG,
// stretched to that size; empty when the resource is missing or undecodable.
GdiObject<HBITMAP> LoadJpegResource(HINSTANCE instance, int id, int width, int height);

}  // namespace pellinor

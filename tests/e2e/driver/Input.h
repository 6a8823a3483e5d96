// Mouse and keyboard input for the Wine tests: real input through the
// system's input queue, and key strokes posted to a window.
#pragma once

#include <windows.h>

namespace pellinor::e2e {

// Moves the mouse to a screen point and clicks there once or twice; the
// window under the point gets the clicks as from a user.
void RealClick(POINT screen);
void RealDoubleClick(POINT screen);

// Keys through the input queue: they go to the foreground window, so window
// is made the foreground window first. alt: with Alt held.
void RealKey(HWND window, WORD virtualKey, bool alt = false);

// The window that holds the keyboard focus in a GUI thread; fallback when
// the thread has none.
HWND FocusOf(DWORD threadId, HWND fallback);

// Posts a key's down and up messages to a window, as the message loop of its
// thread would receive them from the keyboard (Alt: the system-key forms).
void PostKey(HWND target, WORD virtualKey, bool alt = false);

}  // namespace pellinor::e2e

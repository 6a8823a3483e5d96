// The Windows headers of the window code, in the order they must come:
// <windows.h> before the common controls and COM.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

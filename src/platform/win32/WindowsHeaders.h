// The Windows headers of the window code, in the order they must come:
// <windows.h> before the common controls, COM and the crypto API.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <wincrypt.h>
// clang-format on

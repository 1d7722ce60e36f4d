// Twips and points to pixels at a window's DPI, and the DPI itself, so that the form's table
// stays in twips and every monitor gets the same physical layout.
#pragma once

#include <windows.h>

namespace tuneworks {

// The DPI of the monitor the window is on (per-monitor aware), or the system's before Windows 10.
UINT WindowDpi(HWND window);

// Pixels for a length in twips (1/1440 inch), rounded to the nearest.
inline int ScaleTwips(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

// The character height of a font of `points`, as CreateFontW takes it (negative: em height).
int FontHeight(double points, UINT dpi);

// The outer size of a window whose client area is `client_width` x `client_height` pixels.
SIZE WindowSizeForClient(int client_width, int client_height, DWORD style, DWORD ex_style,
                         UINT dpi);

}  // namespace tuneworks

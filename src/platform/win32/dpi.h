#pragma once
#include <windows.h>

namespace tavrin::win32 {

// A rectangle in twips (1/1440 inch), the unit the window layouts are drawn in.
struct TwipsRect {
    int left, top, width, height;
};

int DpiOf(HWND hwnd);
inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
inline int Scale(int pixelsAt96, int dpi) { return MulDiv(pixelsAt96, dpi, 96); }

// The system's message font at the given DPI; the caller owns it.
HFONT CreateUiFont(int dpi);

}  // namespace tavrin::win32

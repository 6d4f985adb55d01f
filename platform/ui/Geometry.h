#pragma once
// Places and sizes on the screen and in a window, in twips.
namespace platform::ui {

inline constexpr int TwipsPerPixel = 15;

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool contains(int x, int y) const { return x >= left && y >= top && x < left + width && y < top + height; }
};

// What lies around a window's client area: the window manager's title bar and borders.
struct Margins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

} // namespace platform::ui

#pragma once
#include <windows.h>

// The window's layout rules in 96-DPI units, placed at the current DPI
// (g_Dpi). The tables of the panel and of the formula rows keep
// their 96-DPI numbers; only PlaceRect scales them.

constexpr int LAYOUT_MARGIN = 10;
constexpr int PANEL_HEIGHT = 430;
constexpr int ROW_PITCH = 30;  // also the scroll line
constexpr int MIN_FRAME_WIDTH = 500;
constexpr int MIN_FRAME_HEIGHT = 510;

// A 96-DPI measure at the DPI the window is laid out for.
int Scaled(int value);
// Lays the window out for dpi from now on, kept to what a display can have.
void SetLayoutDpi(int dpi);

// One edge of a control: a distance from the parent's left edge plus a
// number of x/y/z box widths, or a distance from its right edge.
struct Edge {
    int offset;
    bool fromRight;
    int boxes;
};

constexpr Edge FromLeft(int offset, int boxes = 0)
{
    return {offset, false, boxes};
}

constexpr Edge FromRight(int offset)
{
    return {offset, true, 0};
}

struct Place {
    Edge left, right;
    int top, height;
};

// The rectangle of a place in a parent parentWidth pixels wide. Edges taken
// from the right stay exactly that far from the right edge; the others are
// worked out in 96-DPI units of the parent's width and scaled. At 96 DPI the
// x/y/z box width is (W - 190) / 3.
RECT PlaceRect(const Place& place, int parentWidth);

// How PlaceWindow treats a drop-down combo box, whose window is as high as
// its edit field: the height it is given sets the height of the dropped list.
enum class DropHeight {
    NONE,  // not a drop-down combo box
    KEEP,  // keep the list's height: only left, top and width count
    SET,   // the list's height follows the rectangle's (the DPI changed)
};

// Moves a window to rect (in its parent's client area) unless it is there
// already; a move to where a window stands still costs a round of messages.
void PlaceWindow(HWND window, const RECT& rect, DropHeight dropHeight = DropHeight::NONE);

#pragma once

namespace tavrin {

class Control;

// A rectangle in twips (1/1440 inch), relative to the container.
struct TwipsRect {
    int left, top, width, height;
};

// Where a window's view puts one of its controls: inside which other control
// (nullptr: the window's client area), where, and its place in the tab order.
struct ControlPlacement {
    Control* control;
    Control* container;
    TwipsRect rect;
    int tabIndex;
};

}  // namespace tavrin

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/Window.h"

// Only the toolkit's own tests look at rendered pixels through Qt's types; the other tests never
// need them complete.
class QColor;
class QImage;

// Drives windows the way the window system does, for the tests of every layer and for the
// benchmarks. Points are in the window's content coordinates (bottom-left origin). Built as its
// own library, quorvin_toolkit_testing, so the program itself never links the test machinery.
namespace quorvin::toolkit::testing {

// A titled, closable, resizable window with a white background and this content size, shown and
// exposed.
std::unique_ptr<Window> makeShownWindow(Size size);

// The centre of a view, in its window's content coordinates.
Point centerInWindow(const View& view);

// Primary-button press and release through the window system path, so a release outside the
// pressed button still reaches the window.
void mousePress(Window& window, Point point);
void mouseRelease(Window& window, Point point);
void click(Window& window, Point point);

// Presses and releases a key combination through the window system path, written as Qt's
// portable key sequence text: "7", "Shift+5", "Ctrl+H", "Return", "Enter", "Esc", "Backspace".
void typeKeys(Window& window, std::string_view sequence);

// Resizes the content area as the user would (a live resize); the change is delivered before
// this returns, and the live resize lasts until finishLiveResize ends it. finishLiveResize
// handles what the change queued and then ends the live resize at once, as the end of its quiet
// period would (again for any live resize that ending starts); it is false when no live resize
// was waiting for its end.
void userResize(Window& window, Size contentSize);
bool finishLiveResize(Window& window);

// Paints the whole window now, as the next frame would.
void repaintNow(Window& window);

// The colour of the window's content at a point, read from a fresh rendering at the screen's
// device pixel ratio.
Color pixelAt(Window& window, Point point);

// The size in device pixels of a fresh rendering of the window's content: its size in points
// times the device pixel ratio.
Size renderedPixelSize(Window& window);

// A fresh rendering of the window's content in 32-bit ARGB, in device pixels (top-left origin).
QImage renderWindow(const Window& window);
// True when each 8-bit component of `pixel` is within `tolerance` of what `expected` renders as.
bool isColor(const QColor& pixel, Color expected, int tolerance = 1);
// "rgb(r, g, b)", for failure messages.
std::string describe(const QColor& pixel);

// One element of a window's accessible tree, as assistive technology reads it.
struct AccessibleElement {
    int depth = 0;     // 0 for the window itself, 1 for its content view, …
    std::string role;  // Qt's name of the role: "Window", "Client", "PushButton", "StaticText", …
    std::string name;
    std::string description;
    bool checkable = false;
    bool checked = false;
    bool pressable = false;  // offers the press action
};

// The window's accessible tree, depth first, each element before its children.
std::vector<AccessibleElement> accessibleTree(Window& window);

// Performs the press action of the first element named `name`, as a screen reader does. False
// when no element has that name or it cannot be pressed.
bool pressAccessible(Window& window, std::string_view name);

// Forgets every key monitor and every key waiting for a release, for fixtures that start the
// program's controller again and again.
void resetInput();

// The number of views alive in the program: each owns one widget, which points back at it until
// the view is destroyed.
std::size_t liveViewCount();

// Drops views whose widgets were handed to deleteLater while a press was being handled.
void processDeferredDeletes();

// Handles queued events for at least `milliseconds`.
void wait(int milliseconds);

// Handles events until `condition` holds, for at most `deadline`; false when it never held.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = std::chrono::seconds(5));

}  // namespace quorvin::toolkit::testing

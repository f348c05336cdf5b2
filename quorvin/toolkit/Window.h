// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>

#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/View.h"

namespace quorvin::toolkit {

enum class WindowStyle : unsigned {
    titled = 1,
    closable = 2,
    miniaturizable = 4,
    resizable = 8,
};
constexpr unsigned operator|(WindowStyle a, WindowStyle b) {
    return static_cast<unsigned>(a) | static_cast<unsigned>(b);
}
constexpr unsigned operator|(unsigned a, WindowStyle b) {
    return a | static_cast<unsigned>(b);
}

enum class BackingStore { retained = 0, nonretained = 1, buffered = 2 };

// A top-level window whose content is one view. Sizes and limits are those of the content area.
//
// A size change that the program did not cause (the user dragging an edge, the window manager)
// is a live resize: the content view hears viewWillStartLiveResize first, then setFrameSize with
// the window's new size and inLiveResize() true for every change, and viewDidEndLiveResize once
// the changes have stopped (about 150 ms after the last, and never while a mouse button is still
// held). Where nothing enforced the limits and the proportion, the window asks once for the
// allowed size closest to its own before the end is reported; a desktop that keeps its size
// (maximised, full screen, tiled) is not asked again. Sizes the program sets itself are never
// live.
//
// The content view never leaves the limits: whatever size the desktop gives the window, the view
// takes the part of it that contentFrameForWindowSize names, and the window's background fills
// the rest.
class Window {
public:
    Window(Rect contentRect, unsigned styleMask, BackingStore backing, bool defer);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void setTitle(std::string title);
    std::string title() const;
    void setMinSize(Size size);
    void setMaxSize(Size size);
    void setContentAspectRatio(Size ratio);
    void setBackgroundColor(Color color);
    void center();
    // No window-delegate callback is used; the delegate is accepted and not kept.
    void setDelegate([[maybe_unused]] std::weak_ptr<void> delegate) {}

    std::shared_ptr<View> contentView() const;
    void setContentView(std::shared_ptr<View> view);
    Size contentSize() const;
    // Resizes the content area as the program (not a live resize).
    void setContentSize(Size size);

    void makeKeyAndOrderFront();
    bool isVisible() const;
    void close();

    // The size the limits and the proportion allow that is closest to `size`.
    Size constrainedContentSize(Size size) const;
    // Where the content view goes in a window of `size`: all of it when the limits allow that
    // size (to within a pixel); otherwise the largest allowed size that fits, or the smallest
    // allowed one when none fits, centred.
    Rect contentFrameForWindowSize(Size size) const;

    struct Impl;  // the toolkit's side, in Window.cpp

private:
    std::unique_ptr<Impl> d;
};

}  // namespace quorvin::toolkit

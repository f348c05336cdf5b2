// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/Layer.h"

namespace quorvin::toolkit {

class Painter;
struct MouseEvent;

// What a view is to assistive technology. A window's content view that is a plain group is read
// as the window's client area.
enum class AccessibleRole { group, pushButton, radioButton, label, statusBar };

// What a view adds to the states its widget reports; false leaves a state as the widget has it.
struct AccessibilityState {
    bool pressed = false;
    bool checkable = false;
    bool checked = false;
    // Holds its window's focus while the window is active, as no control takes the keyboard focus.
    bool holdsWindowFocus = false;
};

enum class AccessibleAction { press };

// A rectangle of the window with optional layer and children. Views are shared: the parent
// holds its children, and the program may hold any view too; a view removed from its parent and
// held by no one is destroyed with its on-screen widget.
//
// Geometry is in points with the origin at the parent's bottom-left corner; a child keeps its
// distance to the bottom edge of its parent when the parent's height changes. Views are made
// with make<T>(…) so that they can be shared.
class View : public std::enable_shared_from_this<View> {
public:
    explicit View(Rect frame);
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    template <class T, class... Args>
    static std::shared_ptr<T> make(Args&&... args) {
        return std::make_shared<T>(std::forward<Args>(args)...);
    }

    Rect frame() const;
    Rect bounds() const;  // origin (0, 0), the frame's size
    void setFrame(Rect frame);
    // A window's content view is given the window's size and takes the part of the window that
    // the window's limits allow (Window::contentFrameForWindowSize).
    virtual void setFrameSize(Size size);

    void addSubview(std::shared_ptr<View> view);
    const std::vector<std::shared_ptr<View>>& subviews() const;
    void removeFromSuperview();
    View* superview() const;

    void setWantsLayer(bool wantsLayer);
    bool wantsLayer() const;
    Layer* layer();
    const Layer* layer() const;

    // True between the start and the end of a live resize of the view's window.
    bool inLiveResize() const;
    virtual void viewWillStartLiveResize();
    virtual void viewDidEndLiveResize();

    // Mouse events for the primary button; `location` is in the view's own coordinates.
    virtual void mouseDown(const MouseEvent& event);
    virtual void mouseUp(const MouseEvent& event);

    void setNeedsDisplay();

    // What assistive technology (a screen reader) calls the view. Empty: a button is called by
    // its title and a text field by its text.
    void setAccessibilityLabel(std::string label);
    const std::string& accessibilityLabel() const;
    // Shown when the pointer rests on the view, and read as its description.
    void setToolTip(std::string toolTip);
    const std::string& toolTip() const;
    // Read as the view's description instead of the tooltip (never shown); assistive technology
    // hears each change.
    void setAccessibilityDescription(std::string description);
    const std::string& accessibilityDescription() const;

    // What assistive technology is told the view is, holds and offers; each kind of view answers
    // for itself. A plain view is an unnamed group with no value, no states of its own and no
    // actions.
    virtual AccessibleRole accessibilityRole() const;
    // The name when no label is set.
    virtual std::string accessibilityDefaultName() const;
    virtual std::string accessibilityValue() const;
    virtual AccessibilityState accessibilityState() const;
    virtual std::vector<AccessibleAction> accessibilityActions() const;
    // Does `action`, one of accessibilityActions(). It may drop the last other reference to the
    // view: a caller that goes on using the view holds it.
    virtual void performAccessibilityAction(AccessibleAction action);

    struct Impl;  // the toolkit's side, in ViewWidget.h

protected:
    // Draws the view's own content between the layer's background and its border.
    virtual void draw(Painter& painter) const;

private:
    std::unique_ptr<Impl> d;
};

struct MouseEvent {
    Point location;  // in the receiving view's coordinates, bottom-left origin
};

}  // namespace quorvin::toolkit

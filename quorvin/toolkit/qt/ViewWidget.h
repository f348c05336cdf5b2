// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: a view's on-screen widget and the state behind the public
// View.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/Layer.h"
#include "quorvin/toolkit/View.h"

class QPainter;
class QRegion;

namespace quorvin::toolkit {

// The on-screen half of a View: paints the view; the input router hands the view its presses.
// It never owns the view; the view's destructor clears `view` before the widget goes.
class ViewWidget : public QWidget {
public:
    explicit ViewWidget(View* owner);
    ~ViewWidget() override;
    ViewWidget(const ViewWidget&) = delete;
    ViewWidget& operator=(const ViewWidget&) = delete;

    // `object` as a view's widget; null for any other object, and for a view's widget whose
    // destruction has begun.
    static ViewWidget* fromObject(QObject* object);

    View* view;

protected:
    void paintEvent(QPaintEvent* event) override;
};

struct View::Impl {
    // The state of `view`; the one way in from the toolkit's other files.
    static Impl& of(const View& view) { return *view.d; }

    Impl(View& view, Rect initialFrame) : owner(view), frame(initialFrame) {}

    // Moves the widget to the frame, flipping y against the parent's height.
    void place() const;
    // Stores the frame, moves the widget and, when the height changed, the children too, so that
    // each keeps its distance to the bottom edge.
    void applyFrame(Rect newFrame);
    // Hides the widget and takes it out of its parent widget.
    void detachWidget() const;
    // Paints the view into `target`, of which `dirty` is to be painted again.
    void paint(QPainter& painter, QWidget& target, const QRegion& dirty) const;

    View& owner;
    Rect frame;
    QPointer<ViewWidget> widget;
    View* superview = nullptr;
    std::vector<std::shared_ptr<View>> subviews;
    std::unique_ptr<Layer> layer;
    std::string accessibilityLabel;
    std::string toolTip;
    std::string accessibilityDescription;
    // Set while the view is a window's content view: where in the window it goes for a given
    // window size. The window, not the view, decides which part of itself the content takes.
    std::function<Rect(Size)> placeInWindow;
};

// A mouse position in a view's widget (top-left origin, in pixels) as a location in the view
// (bottom-left origin). The position names a pixel; the location is that pixel's centre, so a
// location is inside the bounds exactly when Qt finds the position inside the widget.
Point viewLocation(const QWidget& widget, QPointF position);

QWidget* widgetOf(const View& view);

}  // namespace quorvin::toolkit

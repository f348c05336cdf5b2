// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/View.h"

#include <QPaintEvent>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/Painter.h"
#include "quorvin/toolkit/qt/QtConversions.h"
#include "quorvin/toolkit/qt/Translation.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"

namespace quorvin::toolkit {

namespace {

// Widget coordinates are ints; frames far outside any screen are clamped so that rounding stays
// defined, and NaN counts as 0.
int toPixel(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -1.0e7, 1.0e7)));
}

// The live view widgets, so that Qt's objects can be told apart without RTTI. Never destroyed:
// a view held by a static object may die after every other static.
std::unordered_set<const QObject*>& liveViewWidgets() {
    static auto* widgets = new std::unordered_set<const QObject*>;
    return *widgets;
}

}  // namespace

ViewWidget::ViewWidget(View* owner) : view(owner) {
    setFocusPolicy(Qt::NoFocus);
    liveViewWidgets().insert(this);
}

ViewWidget::~ViewWidget() {
    liveViewWidgets().erase(this);
}

ViewWidget* ViewWidget::fromObject(QObject* object) {
    return liveViewWidgets().contains(object) ? static_cast<ViewWidget*>(object) : nullptr;
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    if (!view) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    View::Impl::of(*view).paint(painter, *this, event->region());
}

void View::Impl::place() const {
    if (!widget) return;
    double parentHeight = frame.maxY();
    if (superview) {
        parentHeight = superview->d->frame.size.height;
    } else if (const QWidget* parent = widget->parentWidget()) {
        parentHeight = parent->height();
    }
    const int left = toPixel(frame.minX());
    const int right = toPixel(frame.maxX());
    const int top = toPixel(parentHeight - frame.maxY());
    const int bottom = toPixel(parentHeight - frame.minY());
    widget->setGeometry(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void View::Impl::applyFrame(Rect newFrame) {
    const bool heightChanged = newFrame.size.height != frame.size.height;
    frame = newFrame;
    place();
    if (heightChanged) {
        for (const auto& child : subviews)
            child->d->place();
    }
}

void View::Impl::detachWidget() const {
    if (!widget) return;
    widget->hide();
    widget->setParent(nullptr);
}

namespace {

// Whether a border of `width` drawn along the edges of `area`, its corners rounded by `radius`,
// can touch a pixel of `dirty`: it stays within its width and a pixel of smoothing of the edges,
// and at the corners within the radius and its width of the corner.
bool borderReaches(const QRegion& dirty, const QRect& area, double width, double radius) {
    if (dirty.isEmpty()) return false;
    const int edge = static_cast<int>(std::ceil(width)) + 1;
    const int corner = static_cast<int>(std::ceil(radius + width)) + 1;
    // A region reaches out of a rectangle exactly when its bounds do.
    if (!area.adjusted(edge, edge, -edge, -edge).contains(dirty.boundingRect())) return true;
    const QRect corners[] = {
        QRect(area.left(), area.top(), corner, corner),
        QRect(area.right() - corner + 1, area.top(), corner, corner),
        QRect(area.left(), area.bottom() - corner + 1, corner, corner),
        QRect(area.right() - corner + 1, area.bottom() - corner + 1, corner, corner),
    };
    return std::any_of(std::begin(corners), std::end(corners),
                       [&](const QRect& square) { return dirty.intersects(square); });
}

}  // namespace

void View::Impl::paint(QPainter& painter, QWidget& target, const QRegion& dirty) const {
    const QRectF area(0, 0, target.width(), target.height());
    const auto roundedArea = [&](double inset) {
        const QRectF r = area.adjusted(inset, inset, -inset, -inset);
        const double limit = std::min(r.width(), r.height()) / 2;
        const double radius =
            std::clamp(layer ? layer->cornerRadius() : 0.0, 0.0, std::max(0.0, limit));
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        return path;
    };
    if (layer && layer->backgroundColor()) {
        const QColor colour = toQColor(*layer->backgroundColor());
        // Away from the edges and the rounded corners the path covers each pixel whole: a
        // repaint of the inside only (a changed text) fills the same pixels as a rectangle,
        // at a fraction of the cost.
        if (borderReaches(dirty, target.rect(), 0, layer->cornerRadius())) {
            painter.fillPath(roundedArea(0), colour);
        } else {
            painter.fillRect(target.rect(), colour);
        }
    }

    // The fixed colour under the view's text: the nearest visible layer background.
    std::optional<Color> background;
    for (const View* v = &owner; v && !background; v = v->superview()) {
        if (const Layer* backing = v->layer();
            backing && backing->backgroundColor() && backing->backgroundColor()->alpha > 0) {
            background = backing->backgroundColor();
        }
    }
    Painter content(painter, target, background);
    painter.save();
    owner.draw(content);
    painter.restore();

    if (layer && layer->borderColor() && layer->borderWidth() > 0) {
        const double width =
            std::min(layer->borderWidth(), std::min(area.width(), area.height()) / 2);
        // A repaint of the inside only (a changed text) leaves the border's pixels as they are.
        if (!borderReaches(dirty, target.rect(), width, layer->cornerRadius())) return;
        painter.setPen(QPen(toQColor(*layer->borderColor()), width));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(roundedArea(width / 2));
    }
}

View::View(Rect frame) : d(std::make_unique<Impl>(*this, frame)) {
    d->widget = new ViewWidget(this);
    d->place();
}

namespace {

// Takes the widgets of the descendants that are held elsewhere, and so outlive the dying view,
// out of its widget. The others die with it, their widgets deleted with its widget.
void detachSurvivingDescendants(const std::vector<std::shared_ptr<View>>& subviews) {
    for (const auto& child : subviews) {
        if (child.use_count() > 1) {
            View::Impl::of(*child).detachWidget();  // its own children go with it
        } else {
            detachSurvivingDescendants(child->subviews());
        }
    }
}

}  // namespace

View::~View() {
    detachSurvivingDescendants(d->subviews);
    for (const auto& child : d->subviews)
        child->d->superview = nullptr;
    if (ViewWidget* widget = d->widget) {
        widget->view = nullptr;
        // Qt still touches the widget of a press being handled.
        if (InputRouter::isHandlingPress()) {
            widget->hide();
            widget->deleteLater();
        } else {
            delete widget;
        }
    }
}

Rect View::frame() const {
    return d->frame;
}

Rect View::bounds() const {
    return Rect{Point{0, 0}, d->frame.size};
}

void View::setFrame(Rect frame) {
    if (frame.size == d->frame.size) {
        d->applyFrame(frame);
        return;
    }
    // A size change goes through setFrameSize so that subclasses see every one.
    d->frame.origin = frame.origin;
    setFrameSize(frame.size);
}

void View::setFrameSize(Size size) {
    d->applyFrame(d->placeInWindow ? d->placeInWindow(size) : Rect{d->frame.origin, size});
}

void View::addSubview(std::shared_ptr<View> view) {
    if (!view || view.get() == this) return;
    // Adding an ancestor would make the tree a cycle.
    for (const View* ancestor = d->superview; ancestor; ancestor = ancestor->d->superview) {
        if (ancestor == view.get()) return;
    }
    view->removeFromSuperview();
    view->d->superview = this;
    d->subviews.push_back(view);
    if (view->d->widget) {
        view->d->widget->setParent(d->widget);
        view->d->place();
        view->d->widget->show();
    }
}

const std::vector<std::shared_ptr<View>>& View::subviews() const {
    return d->subviews;
}

void View::removeFromSuperview() {
    View* parent = d->superview;
    if (!parent) return;
    const std::shared_ptr<View> keep = weak_from_this().lock();
    d->detachWidget();
    d->superview = nullptr;
    auto& siblings = parent->d->subviews;
    const auto it =
        std::find_if(siblings.begin(), siblings.end(),
                     [this](const std::shared_ptr<View>& v) { return v.get() == this; });
    if (it != siblings.end()) siblings.erase(it);
}

View* View::superview() const {
    return d->superview;
}

void View::setWantsLayer(bool wantsLayer) {
    if (wantsLayer && !d->layer) {
        d->layer = std::make_unique<Layer>(*this);
    } else if (!wantsLayer && d->layer) {
        d->layer.reset();
        setNeedsDisplay();
    }
}

bool View::wantsLayer() const {
    return d->layer != nullptr;
}

Layer* View::layer() {
    return d->layer.get();
}

const Layer* View::layer() const {
    return d->layer.get();
}

bool View::inLiveResize() const {
    const View* root = this;
    while (root->d->superview)
        root = root->d->superview;
    return isInLiveResize(*root);
}

void View::viewWillStartLiveResize() {}

void View::viewDidEndLiveResize() {}

void View::mouseDown(const MouseEvent& event) {
    // An unhandled press goes on to the parent, in the parent's coordinates.
    if (View* parent = d->superview) {
        parent->mouseDown(MouseEvent{
            Point{event.location.x + d->frame.minX(), event.location.y + d->frame.minY()}});
    }
}

void View::mouseUp(const MouseEvent&) {}

void View::setNeedsDisplay() {
    if (d->widget) d->widget->update();
}

void View::setAccessibilityLabel(std::string label) {
    if (label == d->accessibilityLabel) return;
    d->accessibilityLabel = std::move(label);
    accessibleNameChanged(*this);
}

const std::string& View::accessibilityLabel() const {
    return d->accessibilityLabel;
}

void View::setToolTip(std::string toolTip) {
    d->toolTip = std::move(toolTip);
    if (d->widget) {
        d->widget->setToolTip(toTranslatedQString(d->toolTip));
    }
}

const std::string& View::toolTip() const {
    return d->toolTip;
}

void View::setAccessibilityDescription(std::string description) {
    if (description == d->accessibilityDescription) return;
    d->accessibilityDescription = std::move(description);
    accessibleDescriptionChanged(*this);
}

const std::string& View::accessibilityDescription() const {
    return d->accessibilityDescription;
}

AccessibleRole View::accessibilityRole() const {
    return AccessibleRole::group;
}

std::string View::accessibilityDefaultName() const {
    return {};
}

std::string View::accessibilityValue() const {
    return {};
}

AccessibilityState View::accessibilityState() const {
    return {};
}

std::vector<AccessibleAction> View::accessibilityActions() const {
    return {};
}

void View::performAccessibilityAction(AccessibleAction) {}

void View::draw(Painter&) const {}

Point viewLocation(const QWidget& widget, QPointF position) {
    return Point{position.x() + 0.5, widget.height() - (position.y() + 0.5)};
}

QWidget* widgetOf(const View& view) {
    return View::Impl::of(view).widget;
}

}  // namespace quorvin::toolkit

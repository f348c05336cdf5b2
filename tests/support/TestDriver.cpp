// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "tests/support/TestDriver.h"

#include <QAccessible>
#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QKeySequence>
#include <QMetaEnum>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdlib>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"

namespace quorvin::toolkit::testing {

namespace {

// A bound on the live resizes that finishLiveResize ends one after another. Ending one may correct
// the size, and a correction is never live, so an outside change starts only one; the bound just
// keeps a fault from looping.
constexpr int kMostLiveResizeEnds = 4;

// The 8-bit value an exact sRGB component renders as.
int channel(double component) {
    return static_cast<int>(std::lround(component * 255));
}

// The longest settle() goes on handling events that handling queues.
constexpr int kSettleLimitMs = 100;

// Handles what is queued, and what handling it queues, until nothing is left (timers that are not
// due yet stay pending), then the deletions deferred to the event loop, as the event loop would.
void settle() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, kSettleLimitMs);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWindow* handleOf(Window& window) {
    QWidget* widget = widgetOf(window);
    if (!widget->windowHandle()) widget->winId();
    return widget->windowHandle();
}

// A content point (bottom-left origin, points) as a window pixel (top-left origin).
QPoint pixelOf(Window& window, Point point) {
    const QWidget* widget = widgetOf(window);
    return QPoint(static_cast<int>(std::floor(point.x)),
                  static_cast<int>(std::floor(widget->height() - point.y)));
}

std::string roleName(QAccessible::Role role) {
    // Button and PushButton are one value; Qt's enumeration lists Button first.
    if (role == QAccessible::PushButton) return "PushButton";
    const char* key = QMetaEnum::fromType<QAccessible::Role>().valueToKey(role);
    return key ? key : "Role " + std::to_string(static_cast<int>(role));
}

void collect(QAccessibleInterface* element, int depth, std::vector<AccessibleElement>& tree) {
    if (!element || !element->isValid()) return;
    const QAccessible::State state = element->state();
    const QAccessibleActionInterface* actions = element->actionInterface();
    tree.push_back(AccessibleElement{
        depth, roleName(element->role()), element->text(QAccessible::Name).toStdString(),
        element->text(QAccessible::Description).toStdString(), state.checkable != 0,
        state.checked != 0,
        actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction())});
    for (int index = 0; index < element->childCount(); ++index)
        collect(element->child(index), depth + 1, tree);
}

QAccessibleInterface* findNamed(QAccessibleInterface* element, const QString& name) {
    if (!element || !element->isValid()) return nullptr;
    if (element->text(QAccessible::Name) == name) return element;
    for (int index = 0; index < element->childCount(); ++index) {
        if (QAccessibleInterface* found = findNamed(element->child(index), name)) return found;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Window> makeShownWindow(Size size) {
    auto window = std::make_unique<Window>(
        Rect{Point{0, 0}, size},
        WindowStyle::titled | WindowStyle::closable | WindowStyle::resizable,
        BackingStore::buffered, false);
    window->setBackgroundColor(Color::whiteColor());
    window->makeKeyAndOrderFront();
    (void)QTest::qWaitForWindowExposed(widgetOf(*window)->windowHandle());
    return window;
}

Point centerInWindow(const View& view) {
    Point center{view.frame().size.width / 2, view.frame().size.height / 2};
    for (const View* current = &view; current->superview() != nullptr;
         current = current->superview()) {
        center.x += current->frame().origin.x;
        center.y += current->frame().origin.y;
    }
    return center;
}

void mousePress(Window& window, Point point) {
    QTest::mousePress(handleOf(window), Qt::LeftButton, {}, pixelOf(window, point));
}

void mouseRelease(Window& window, Point point) {
    QTest::mouseRelease(handleOf(window), Qt::LeftButton, {}, pixelOf(window, point));
}

void click(Window& window, Point point) {
    mousePress(window, point);
    mouseRelease(window, point);
}

void typeKeys(Window& window, std::string_view sequence) {
    const QString text = toQString(sequence);
    QTest::keySequence(handleOf(window),
                       QKeySequence::fromString(text, QKeySequence::PortableText));
}

void userResize(Window& window, Size contentSize) {
    // finishLiveResize ends the live resize: a slow run (the sanitizers, a loaded machine) must
    // not end it between two steps of a drag.
    setLiveResizeQuietPeriod(window, std::chrono::minutes(1));
    handleOf(window)->resize(static_cast<int>(std::lround(contentSize.width)),
                             static_cast<int>(std::lround(contentSize.height)));
    QCoreApplication::processEvents();
}

bool finishLiveResize(Window& window) {
    settle();
    bool ended = false;
    for (int round = 0; round < kMostLiveResizeEnds && endLiveResizeNow(window); ++round) {
        ended = true;
        settle();
    }
    return ended;
}

void repaintNow(Window& window) {
    widgetOf(window)->repaint();
}

Color pixelAt(Window& window, Point point) {
    const QImage image = widgetOf(window)->grab().toImage();
    const double ratio = image.devicePixelRatio();
    const QPoint logical = pixelOf(window, point);
    const QColor pixel = image.pixelColor(
        QPoint(static_cast<int>(logical.x() * ratio), static_cast<int>(logical.y() * ratio)));
    return Color::rgba(pixel.redF(), pixel.greenF(), pixel.blueF(), pixel.alphaF());
}

Size renderedPixelSize(Window& window) {
    const QImage image = widgetOf(window)->grab().toImage();
    return Size{static_cast<double>(image.width()), static_cast<double>(image.height())};
}

QImage renderWindow(const Window& window) {
    return widgetOf(window)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isColor(const QColor& pixel, Color expected, int tolerance) {
    return std::abs(pixel.red() - channel(expected.red)) <= tolerance &&
           std::abs(pixel.green() - channel(expected.green)) <= tolerance &&
           std::abs(pixel.blue() - channel(expected.blue)) <= tolerance;
}

std::string describe(const QColor& pixel) {
    return "rgb(" + std::to_string(pixel.red()) + ", " + std::to_string(pixel.green()) + ", " +
           std::to_string(pixel.blue()) + ")";
}

std::vector<AccessibleElement> accessibleTree(Window& window) {
    std::vector<AccessibleElement> tree;
    collect(QAccessible::queryAccessibleInterface(widgetOf(window)), 0, tree);
    return tree;
}

bool pressAccessible(Window& window, std::string_view name) {
    const QString wanted = toQString(name);
    QAccessibleInterface* element =
        findNamed(QAccessible::queryAccessibleInterface(widgetOf(window)), wanted);
    QAccessibleActionInterface* actions = element ? element->actionInterface() : nullptr;
    const QString press = QAccessibleActionInterface::pressAction();
    if (!actions || !actions->actionNames().contains(press)) return false;
    actions->doAction(press);
    return true;
}

void resetInput() {
    InputRouter::shared().reset();
}

std::size_t liveViewCount() {
    std::size_t count = 0;
    for (const QWidget* widget : QApplication::allWidgets()) {
        const auto* viewWidget = dynamic_cast<const ViewWidget*>(widget);
        if (viewWidget && viewWidget->view) ++count;
    }
    return count;
}

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void wait(int milliseconds) {
    QTest::qWait(milliseconds);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    return QTest::qWaitFor(condition, static_cast<int>(deadline.count()));
}

}  // namespace quorvin::toolkit::testing

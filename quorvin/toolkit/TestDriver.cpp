#include "quorvin/toolkit/TestDriver.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeySequence>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cmath>

#include "quorvin/toolkit/QtBridge.h"

namespace quorvin::toolkit::testing {

namespace {

// The live resize ends 150 ms after the last change; this leaves room for a busy machine.
constexpr int kLiveResizeSettle = 400;

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

}  // namespace

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
    const QString text =
        QString::fromUtf8(sequence.data(), static_cast<qsizetype>(sequence.size()));
    QTest::keySequence(handleOf(window),
                       QKeySequence::fromString(text, QKeySequence::PortableText));
}

void userResize(Window& window, Size contentSize) {
    handleOf(window)->resize(static_cast<int>(std::lround(contentSize.width)),
                             static_cast<int>(std::lround(contentSize.height)));
    QCoreApplication::processEvents();
}

void finishLiveResize(Window&) {
    wait(kLiveResizeSettle);
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

void wait(int milliseconds) {
    QTest::qWait(milliseconds);
}

}  // namespace quorvin::toolkit::testing

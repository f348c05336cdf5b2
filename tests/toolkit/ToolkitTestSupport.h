#pragma once

#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/ViewWidget.h"
#include "quorvin/toolkit/Window.h"
#include "quorvin/toolkit/WindowWidget.h"

namespace quorvin::toolkit {

inline std::unique_ptr<Window> makeShownWindow(Size size) {
    auto window = std::make_unique<Window>(
        Rect{Point{0, 0}, size},
        WindowStyle::titled | WindowStyle::closable | WindowStyle::resizable,
        BackingStore::buffered, false);
    window->setBackgroundColor(Color::whiteColor());
    window->makeKeyAndOrderFront();
    (void)QTest::qWaitForWindowExposed(widgetOf(*window)->windowHandle());
    return window;
}

inline QImage renderWindow(const Window& window) {
    return widgetOf(window)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The 8-bit value an exact sRGB component renders as.
inline int channel(double component) {
    return static_cast<int>(std::lround(component * 255));
}

inline bool isColor(QColor pixel, Color expected, int tolerance = 1) {
    return std::abs(pixel.red() - channel(expected.red)) <= tolerance &&
           std::abs(pixel.green() - channel(expected.green)) <= tolerance &&
           std::abs(pixel.blue() - channel(expected.blue)) <= tolerance;
}

inline std::string describe(QColor pixel) {
    return "rgb(" + std::to_string(pixel.red()) + ", " + std::to_string(pixel.green()) + ", " +
           std::to_string(pixel.blue()) + ")";
}

// Drops views whose widgets were handed to deleteLater while a press was being handled.
inline void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Application::sharedApplication().processEvents();
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: how the other parts of the toolkit reach the program's
// windows, all of which Window.cpp keeps.

#include <QObject>
#include <QWidget>

#include <chrono>
#include <functional>
#include <vector>

namespace quorvin::toolkit {

class View;
class Window;

QWidget* widgetOf(const Window& window);

// The top-level widgets of the program's windows.
std::vector<QWidget*> windowWidgets();
// True for the top-level widget of a Window, from its construction on.
bool isWindowWidget(const QObject* object);
// True while `root` is the content view of a window in a live resize that it heard start, except
// while the program sets the window's size itself.
bool isInLiveResize(const View& root);
// For tests: the quiet time after the last outside size change that ends a live resize (150 ms
// unless set), and ending a pending live resize now, as the quiet time's end would. The latter is
// false when no live resize waits for its end.
void setLiveResizeQuietPeriod(Window& window, std::chrono::milliseconds period);
bool endLiveResizeNow(Window& window);

// Called from the event loop after a window has accepted its close and no window of the program
// is left visible (the application asks its delegate whether to end). Close requests can queue
// up, so it may be called more than once.
void setLastWindowClosedHandler(std::function<void()> handler);

}  // namespace quorvin::toolkit

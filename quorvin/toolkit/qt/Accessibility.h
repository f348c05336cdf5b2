// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

// Private to the toolkit and its tests: what assistive technology is told about the views.

#include <QAccessible>
#include <QWidget>

#include <functional>
#include <string>

namespace quorvin::toolkit {

class View;

// Lets assistive technology read the views: each view's widget reports what the view answers for
// itself (its role, name, value, states and actions; a plain window content view is the client
// area), a description, and the window its focus. Installed once the QApplication exists, after
// Qt's own widget factory, so that it is asked first; later calls do nothing.
void installAccessibility();
// Tell listening assistive technology that a view's name or description, or a button's checked
// state, changed. They do nothing while no assistive technology is active. A status view also
// announces a new description.
void accessibleNameChanged(const View& view);
void accessibleDescriptionChanged(const View& view);
void accessibleSelectionChanged(const View& button, bool becameSelectable);
// A view became a status view (its role a status bar) or stopped being one: it gets or loses its
// announcer, and when its window is active assistive technology hears that the focus is on it.
void accessibleStatusChanged(const View& view);
// Announces a status view's value, and its description if that changed, once the event being
// handled is done. Does nothing for other views.
void accessibleStatusAnnounce(const View& view);
// What assistive technology calls the application and how it describes it (English, translated
// when read); unset, Qt's own answers (the application name and the program's path).
void setAccessibleApplication(QString name, std::string description);
// Tells assistive technology where the focus of a window that has just become active is.
void accessibleWindowActivated(QWidget& window);
// Receives those announcements instead of Qt, whether or not assistive technology is active, so
// that tests can see them. An empty function restores Qt.
void setAccessibleEventSink(std::function<void(QAccessibleEvent&)> sink);

}  // namespace quorvin::toolkit

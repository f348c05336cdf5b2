// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// How views describe themselves to assistive technology (on Linux, AT-SPI through Qt's bridge).
#include "quorvin/toolkit/qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/qt/Translation.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"

namespace quorvin::toolkit {

namespace {

bool isStatus(const View* view) {
    return view && view->accessibilityRole() == AccessibleRole::statusBar;
}

// The spoken part of a status view: an empty child of the view's widget, read as a notification
// inside the status bar. A screen reader speaks a notification when it shows, wherever its focus
// is, and leaves out the role of one inside a status bar: an announcement says just its name
// (the view's value) and its description (the view's description, when that has changed since
// the last announcement). Changes made while one event is handled make one announcement.
class Announcer : public QWidget {
public:
    explicit Announcer(QWidget* field) : QWidget(field) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        resize(0, 0);
        live().insert(this);
    }
    ~Announcer() override { live().erase(this); }
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    // `object` as an announcer; null for any other object, and for one whose destruction has
    // begun.
    static Announcer* fromObject(QObject* object) {
        return live().contains(object) ? static_cast<Announcer*>(object) : nullptr;
    }

    QString name, description;  // what the last announcement says
    QString describedAs;        // the field's description at the last announcement
    bool pending = false;

private:
    // Never destroyed: an announcer may die after every other static.
    static std::unordered_set<const QObject*>& live() {
        static auto* announcers = new std::unordered_set<const QObject*>;
        return *announcers;
    }
};

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer* announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override {
        const auto* announcer = static_cast<const Announcer*>(widget());
        switch (kind) {
        case QAccessible::Name: return announcer->name;
        case QAccessible::Description: return announcer->description;
        default: return {};
        }
    }
};

Announcer* announcerOf(const View& view) {
    QWidget* widget = widgetOf(view);
    if (!widget) return nullptr;
    for (QObject* child : widget->children()) {
        if (Announcer* announcer = Announcer::fromObject(child)) return announcer;
    }
    return nullptr;
}

// The status view of a window, which holds the window's accessible focus; null if it has none.
ViewWidget* statusWidgetOf(const QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        ViewWidget* candidate = ViewWidget::fromObject(child);
        if (candidate && isStatus(candidate->view) && candidate->isVisibleTo(&window))
            return candidate;
    }
    return nullptr;
}

QAccessible::Role qtRole(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::group: return QAccessible::Grouping;
    case AccessibleRole::pushButton: return QAccessible::PushButton;
    case AccessibleRole::radioButton: return QAccessible::RadioButton;
    case AccessibleRole::label: return QAccessible::StaticText;
    case AccessibleRole::statusBar: return QAccessible::StatusBar;
    }
    return QAccessible::Grouping;
}

QString actionName(AccessibleAction action) {
    switch (action) {
    case AccessibleAction::press: return QAccessibleActionInterface::pressAction();
    }
    return {};
}

// The accessible side of a view's widget. It keeps no state of its own: every answer is read
// from the view at the moment it is asked, so it is never stale, and a widget whose view has gone
// (one waiting for deferred deletion) answers as an empty group.
class ViewAccessible : public QAccessibleWidget {
public:
    explicit ViewAccessible(ViewWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Grouping) {}

    QAccessible::Role role() const override {
        const View* owner = view();
        if (!owner) return QAccessible::Grouping;
        const AccessibleRole role = owner->accessibilityRole();
        if (role == AccessibleRole::group && !owner->superview() &&
            isWindowWidget(widget()->parentWidget()))
            return QAccessible::Client;
        return qtRole(role);
    }

    QString text(QAccessible::Text kind) const override {
        const View* owner = view();
        if (!owner) return {};
        switch (kind) {
        case QAccessible::Name:
            if (!owner->accessibilityLabel().empty())
                return toTranslatedQString(owner->accessibilityLabel());
            return toQString(owner->accessibilityDefaultName());
        case QAccessible::Value: return toQString(owner->accessibilityValue());
        case QAccessible::Description:
            if (!owner->accessibilityDescription().empty())
                return toTranslatedQString(owner->accessibilityDescription());
            return toTranslatedQString(owner->toolTip());
        default: return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        const View* owner = view();
        if (!owner) return result;
        const AccessibilityState own = owner->accessibilityState();
        if (own.holdsWindowFocus) {
            result.focusable = true;
            result.focused = widget()->isActiveWindow();
        }
        if (own.pressed) result.pressed = true;
        if (own.checkable) result.checkable = true;
        if (own.checked) result.checked = true;
        return result;
    }

    QStringList actionNames() const override {
        const std::vector<AccessibleAction> offered = actions();
        if (offered.empty()) return QAccessibleWidget::actionNames();
        QStringList names;
        for (const AccessibleAction action : offered)
            names.append(actionName(action));
        return names;
    }

    QStringList keyBindingsForAction(const QString&) const override {
        return {};  // keys reach the application's key monitor, never a control
    }

    void doAction(const QString& name) override {
        const std::vector<AccessibleAction> offered = actions();
        const auto named = std::find_if(offered.begin(), offered.end(),
                                        [&](AccessibleAction a) { return actionName(a) == name; });
        if (named == offered.end()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // The action may drop the last other reference to the view, and the view's widget takes
        // this interface with it: the view is held until the action has returned, and nothing of
        // this object is touched once `keep` lets go.
        View* owner = view();
        const std::shared_ptr<View> keep = owner->weak_from_this().lock();
        owner->performAccessibilityAction(*named);
    }

private:
    View* view() const {
        const auto* owner = static_cast<const ViewWidget*>(widget());
        return owner ? owner->view : nullptr;
    }

    std::vector<AccessibleAction> actions() const {
        const View* owner = view();
        return owner ? owner->accessibilityActions() : std::vector<AccessibleAction>{};
    }
};

std::function<void(QAccessibleEvent&)>& eventSink() {
    static std::function<void(QAccessibleEvent&)> sink;
    return sink;
}

// Hands the event to the sink if one is set, else to Qt while assistive technology listens
// (asking Qt otherwise would still make an interface for the widget, for nothing).
void announce(QAccessibleEvent& event) {
    if (const auto sink = eventSink()) {
        sink(event);
    } else if (QAccessible::isActive()) {
        QAccessible::updateAccessibility(&event);
    }
}

// A window: its focus is on its status field, as no control takes the keyboard focus.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    QAccessibleInterface* focusChild() const override {
        if (ViewWidget* status = statusWidgetOf(*widget()))
            return QAccessible::queryAccessibleInterface(status);
        return QAccessibleWidget::focusChild();
    }
};

struct AccessibleApplicationText {
    QString name;
    std::string description;
};

AccessibleApplicationText& accessibleApplicationText() {
    static AccessibleApplicationText text;
    return text;
}

// The application itself, the root of its tree, by the names the program gives it.
class ApplicationAccessible : public QAccessibleApplication {
public:
    QString text(QAccessible::Text kind) const override {
        const auto& given = accessibleApplicationText();
        if (kind == QAccessible::Name && !given.name.isEmpty()) return given.name;
        if (kind == QAccessible::Description && !given.description.empty())
            return toTranslatedQString(given.description);
        return QAccessibleApplication::text(kind);
    }
};

QAccessibleInterface* makeAccessible(const QString&, QObject* object) {
    if (object == QCoreApplication::instance()) return new ApplicationAccessible;
    // Asked for every object, also while a widget is being destroyed: by then the widget is no
    // longer a ViewWidget or a window's widget, and Qt's own factory answers.
    if (ViewWidget* widget = ViewWidget::fromObject(object)) return new ViewAccessible(widget);
    if (Announcer* announcer = Announcer::fromObject(object))
        return new AnnouncerAccessible(announcer);
    if (isWindowWidget(object)) return new WindowAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

// Once the event being handled is done (by then the text and the description are both final),
// takes the field's text and description into the announcer and, if `speak` and either
// changed, announces them. The timer belongs to the announcer and goes with it.
void announceLater(Announcer& target, bool speak) {
    target.pending = true;
    QTimer::singleShot(0, &target, [&announcer = target, speak] {
        announcer.pending = false;
        const auto* owner = static_cast<const ViewWidget*>(announcer.parentWidget());
        const View* status = owner ? owner->view : nullptr;
        if (!status) return;
        const QString name = toQString(status->accessibilityValue());
        const QString description = toTranslatedQString(status->accessibilityDescription());
        const bool described = description != announcer.describedAs;
        if (name == announcer.name && !described) return;
        announcer.name = name;
        announcer.description = described ? description : QString();
        announcer.describedAs = description;
        if (!speak) return;
        // Shown and hidden again, as a passing notification: a screen reader takes a second
        // "shown" from the same object, without a "hidden" between, for a repeat and drops it.
        QAccessibleEvent shown(&announcer, QAccessible::ObjectShow);
        announce(shown);
        QAccessibleEvent hidden(&announcer, QAccessible::ObjectHide);
        announce(hidden);
    });
}

void announceFocus(QWidget& widget) {
    QAccessibleEvent event(&widget, QAccessible::Focus);
    announce(event);
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(makeAccessible);  // Qt ignores a factory it already has
}

void setAccessibleApplication(QString name, std::string description) {
    accessibleApplicationText() = {std::move(name), std::move(description)};
}

void accessibleNameChanged(const View& view) {
    QWidget* widget = widgetOf(view);
    if (!widget) return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    announce(event);
}

void accessibleDescriptionChanged(const View& view) {
    QWidget* widget = widgetOf(view);
    if (!widget) return;
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    announce(event);
    accessibleStatusAnnounce(view);
}

void accessibleStatusChanged(const View& view) {
    QWidget* widget = widgetOf(view);
    if (!widget) return;
    Announcer* announcer = announcerOf(view);
    if (!isStatus(&view)) {
        delete announcer;
        return;
    }
    if (!announcer) {
        announcer = new Announcer(widget);
        announcer->show();
        // What the field shows once the event that made it is handled is where it starts, not
        // news: a new or rebuilt window announces nothing until something changes.
        announceLater(*announcer, false);
    }
    if (widget->isActiveWindow()) announceFocus(*widget);
}

void accessibleStatusAnnounce(const View& view) {
    if (!isStatus(&view)) return;
    Announcer* announcer = announcerOf(view);
    if (announcer && !announcer->pending) announceLater(*announcer, true);
}

void accessibleWindowActivated(QWidget& window) {
    if (ViewWidget* status = statusWidgetOf(window)) announceFocus(*status);
}

void accessibleSelectionChanged(const View& button, bool becameSelectable) {
    QWidget* widget = widgetOf(button);
    if (!widget) return;
    QAccessible::State changed;
    changed.checked = true;
    changed.checkable = becameSelectable;
    QAccessibleStateChangeEvent event(widget, changed);
    announce(event);
}

void setAccessibleEventSink(std::function<void(QAccessibleEvent&)> sink) {
    eventSink() = std::move(sink);
}

}  // namespace quorvin::toolkit

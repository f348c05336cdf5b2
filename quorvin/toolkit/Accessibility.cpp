// How views describe themselves to assistive technology (on Linux, AT-SPI through Qt's bridge).
#include <QAccessible>
#include <QAccessibleWidget>

#include <functional>
#include <memory>
#include <utility>

#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/QtBridge.h"
#include "quorvin/toolkit/TextField.h"

namespace quorvin::toolkit {

namespace {

// The accessible side of a view's widget. It keeps no state of its own: every answer is read
// from the view at the moment it is asked, so it is never stale, and a widget whose view has gone
// (one waiting for deferred deletion) answers as an empty group.
class ViewAccessible : public QAccessibleWidget {
public:
    explicit ViewAccessible(ViewWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Grouping) {}

    QAccessible::Role role() const override {
        const View* owner = view();
        if (dynamic_cast<const Button*>(owner)) return QAccessible::PushButton;
        if (dynamic_cast<const TextField*>(owner)) return QAccessible::StaticText;
        if (owner && !owner->superview() && isWindowWidget(widget()->parentWidget()))
            return QAccessible::Client;
        return QAccessible::Grouping;
    }

    QString text(QAccessible::Text kind) const override {
        const View* owner = view();
        if (!owner) return {};
        const auto* field = dynamic_cast<const TextField*>(owner);
        switch (kind) {
        case QAccessible::Name:
            if (!owner->accessibilityLabel().empty()) return toQString(owner->accessibilityLabel());
            if (const auto* button = dynamic_cast<const Button*>(owner))
                return toQString(button->title());
            if (field) return toQString(field->stringValue());
            return {};
        case QAccessible::Value: return field ? toQString(field->stringValue()) : QString();
        case QAccessible::Description: return toQString(owner->toolTip());
        default: return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        if (const auto* button = dynamic_cast<const Button*>(view())) {
            result.pressed = button->isHighlighted();
            if (button->isAccessibilitySelectable()) {
                result.checkable = true;
                result.checked = button->isAccessibilitySelected();
            }
        }
        return result;
    }

    QStringList actionNames() const override {
        if (dynamic_cast<const Button*>(view())) return {pressAction()};
        return QAccessibleWidget::actionNames();
    }

    QStringList keyBindingsForAction(const QString&) const override {
        return {};  // keys reach the application's key monitor, never a control
    }

    void doAction(const QString& name) override {
        auto* button = dynamic_cast<Button*>(view());
        if (!button || name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // The action may drop the last other reference to the button, and the button's widget
        // takes this interface with it: the button is held until the action has returned, and
        // nothing of this object is touched once `keep` lets go.
        const std::shared_ptr<View> keep = button->weak_from_this().lock();
        button->sendAction();
    }

private:
    View* view() const {
        const auto* owner = static_cast<const ViewWidget*>(widget());
        return owner ? owner->view : nullptr;
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

QAccessibleInterface* makeAccessible(const QString&, QObject* object) {
    // Asked for every object, also while a widget is being destroyed: by then the widget is no
    // longer a ViewWidget or a window's widget, and Qt's own factory answers.
    if (auto* widget = dynamic_cast<ViewWidget*>(object)) return new ViewAccessible(widget);
    if (isWindowWidget(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibility() {
    QAccessible::installFactory(makeAccessible);  // Qt ignores a factory it already has
}

void accessibleNameChanged(const View& view) {
    QWidget* widget = widgetOf(view);
    if (!widget) return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    announce(event);
}

void accessibleSelectionChanged(const Button& button, bool becameSelectable) {
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

#pragma once

// Private to the toolkit (and its tests): the Qt side of the public classes. Nothing outside
// quorvin/toolkit/ and tests/toolkit/ includes this header.

#include <QAccessible>
#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/toolkit/Button.h"
#include "quorvin/toolkit/Color.h"
#include "quorvin/toolkit/Font.h"
#include "quorvin/toolkit/Geometry.h"
#include "quorvin/toolkit/KeyEvent.h"
#include "quorvin/toolkit/Layer.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/Window.h"

namespace quorvin::toolkit {

// The on-screen half of a View: paints the view; the input router hands the view its presses.
// It never owns the view; the view's destructor clears `view` before the widget goes.
class ViewWidget : public QWidget {
public:
    explicit ViewWidget(View* owner);

    View* view;

protected:
    void paintEvent(QPaintEvent* event) override;
};

struct View::Impl {
    Impl(View& view, Rect initialFrame) : owner(view), frame(initialFrame) {}

    // Moves the widget to the frame, flipping y against the parent's height.
    void place() const;
    // Stores the frame, moves the widget and, when the height changed, the children too, so that
    // each keeps its distance to the bottom edge.
    void applyFrame(Rect newFrame);
    // Hides the widget and takes it out of its parent widget.
    void detachWidget() const;
    void paint(QPainter& painter, QWidget& target) const;

    View& owner;
    Rect frame;
    QPointer<ViewWidget> widget;
    View* superview = nullptr;
    std::vector<std::shared_ptr<View>> subviews;
    std::unique_ptr<Layer> layer;
    std::string accessibilityLabel;
    std::string toolTip;
    std::string accessibilityDescription;
};

// What a view's draw() paints with: the painter and the widget (palette, resolution).
class Painter {
public:
    Painter(QPainter& painter, const QWidget& target) : qt(painter), widget(target) {}

    // The desktop's colour for `role`, unless it is hard to read on the fixed colour that the
    // view's text sits on (`ownBackground`, else the nearest layer background of the view or its
    // ancestors): below a contrast of 4.5 : 1 a light palette's text colour is used instead, so a
    // dark desktop theme never puts light text on the program's light panels.
    QColor readableTextColor(const View& view, QPalette::ColorRole role,
                             std::optional<Color> ownBackground = std::nullopt) const;

    QPainter& qt;
    const QWidget& widget;
};

// The WCAG contrast ratio of two opaque colours, from 1 (same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// UTF-8 text as a QString (invalid sequences become replacement characters).
QString toQString(std::string_view utf8);
std::string toUtf8(const QString& text);
// True when the text is UTF-8 that Qt decodes and encodes back unchanged: well formed, with no
// surrogate, noncharacter or byte-order mark. Anything else is left to Qt.
bool isPlainUtf8(std::string_view text);
// English text marked QUORVIN_TRANSLATABLE, in the user's language when a translation is loaded
// (the text itself otherwise, and for any text the translation lacks).
QString toTranslatedQString(const std::string& english);
// Loads the translation for the user's languages (LANGUAGE, then the locale), if there is one.
void installTranslation();

// Colour components are clamped to 0…1; the result is exact sRGB.
QColor toQColor(const Color& color);
// The desktop's general or fixed system font at `font.size` device-independent pixels.
QFont toQFont(const Font& font, double logicalDpiY);

// A mouse position in a view's widget (top-left origin, in pixels) as a location in the view
// (bottom-left origin). The position names a pixel; the location is that pixel's centre, so a
// location is inside the bounds exactly when Qt finds the position inside the widget.
Point viewLocation(const QWidget& widget, QPointF position);

QWidget* widgetOf(const View& view);
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

// True when the D-Bus session bus the environment names (or the default one) takes a connection
// but does not answer the first step of its handshake within `timeout`: Qt's accessibility
// bridge would then wait for it at start-up. False when it answers, refuses at once, or no bus
// that a plain socket can reach is configured.
bool sessionBusIsSilent(std::chrono::milliseconds timeout);

// Lets assistive technology read the views: each view's widget reports a role (push button,
// radio button for a selectable one, static text, status bar for a status field, grouping;
// client for a window's content view, window for the window), a name, a description, its states
// and, for buttons, the press action. Installed once the QApplication exists, after Qt's own
// widget factory, so that it is asked first; later calls do nothing.
void installAccessibility();
// Tell listening assistive technology that a view's name or description, or a button's checked
// state, changed. They do nothing while no assistive technology is active.
void accessibleNameChanged(const View& view);
void accessibleDescriptionChanged(const View& view);
void accessibleSelectionChanged(const Button& button, bool becameSelectable);
// A field became a status field or stopped being one: it gets or loses its announcer, and when
// its window is active assistive technology hears that the focus is on it.
void accessibleStatusChanged(const TextField& field);
// Announces a status field's text, and its description if that changed, once the event being
// handled is done. Does nothing for other fields.
void accessibleStatusAnnounce(const TextField& field);
// Tells assistive technology where the focus of a window that has just become active is.
void accessibleWindowActivated(QWidget& window);
// Receives those announcements instead of Qt, whether or not assistive technology is active, so
// that tests can see them. An empty function restores Qt.
void setAccessibleEventSink(std::function<void(QAccessibleEvent&)> sink);

// Called by a window that has just accepted its close; ends the application when no other
// window is left open and the delegate agrees.
void windowDidClose();

// Window-manager hints on X11; both do nothing on other platforms or before the native window
// exists.
struct SizeLimits {
    Size minSize;
    Size maxSize;
    Size aspectRatio;  // zero: none
};
void setX11SizeHints(QWidget& window, const SizeLimits& limits);
// True when a mouse button is held anywhere on the X11 screen (the window manager grabs the
// pointer during an edge drag, so the window itself sees no button events).
bool x11PointerButtonHeld();

// True on X11 once the toolkit's own connection for reading the clipboard is open.
bool x11ClipboardReadable();
// The CLIPBOARD selection's text as UTF-8, read from another client over that connection, or
// nothing when it holds no text or its owner does not answer in time (one wait for a silent
// owner). Its bytes arrive once, without a UTF-16 copy.
std::optional<std::string> x11ClipboardText();

// The key-down event a Qt key press stands for, or none for a modifier key pressed alone.
std::optional<KeyEvent> toKeyEvent(const QKeyEvent& event);

}  // namespace quorvin::toolkit

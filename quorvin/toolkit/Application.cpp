#include "quorvin/toolkit/Application.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/toolkit/DebugLog.h"
#include "quorvin/toolkit/QtBridge.h"

namespace quorvin::toolkit {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

void writeStartFailure(std::string_view reason) {
    const std::string line = "quorvin: cannot start: " + std::string(reason) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

// While Qt connects to the window system its platform plugin reports a failure as a few warnings
// and then a fatal message, which aborts with a core dump. The warnings are held back, and the
// fatal message becomes one line and exit status 1.
QtMessageHandler handlerBeforeStart = nullptr;
std::vector<std::string> heldStartMessages;

void startMessageHandler(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtFatalMsg) {
        std::string reason = "the window system could not be started";
        if (isSet("QT_QPA_PLATFORM")) {
            reason = "the window system \"" +
                     escapeControlCharacters(std::getenv("QT_QPA_PLATFORM")) +
                     "\" could not be started";
        } else if (isSet("DISPLAY")) {
            reason =
                "cannot open display \"" + escapeControlCharacters(std::getenv("DISPLAY")) + "\"";
        } else if (isSet("WAYLAND_DISPLAY")) {
            reason = "cannot connect to Wayland display \"" +
                     escapeControlCharacters(std::getenv("WAYLAND_DISPLAY")) + "\"";
        }
        writeStartFailure(reason);
        std::_Exit(1);
    }
    if (context.category && std::string_view(context.category).starts_with("qt.qpa")) {
        heldStartMessages.push_back(qFormatLogMessage(type, context, message).toStdString());
        return;
    }
    if (handlerBeforeStart) {
        handlerBeforeStart(type, context, message);
    } else {
        const std::string line = qFormatLogMessage(type, context, message).toStdString() + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
    }
}

std::weak_ptr<ApplicationDelegate>& applicationDelegate() {
    static std::weak_ptr<ApplicationDelegate> delegate;
    return delegate;
}

// Where a release happened, in the pressed button's coordinates. A button that is no longer on
// screen is never under the pointer.
Point releaseLocation(const Button& button, QPointF globalPosition) {
    const QWidget* widget = widgetOf(button);
    if (!widget || !widget->isVisible()) return kNowhere;
    return viewLocation(*widget, widget->mapFromGlobal(globalPosition));
}

// Hands the release of a left-button press to the button that took the press. It watches the
// window, not the widget: Qt drops a release whose pressed widget has gone, and delivers one
// outside the widget to the widget only while it exists. Returning false lets Qt finish its own
// release handling (the implicit grab).
class ReleaseFilter : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease || !receiver->isWindowType()) return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) return false;
        if (const std::shared_ptr<Button> button = takePressedButton()) {
            button->mouseUp(MouseEvent{releaseLocation(*button, mouse->globalPosition())});
        }
        deliverDeferredKeyEvents();
        return false;
    }
};

}  // namespace

struct Application::Impl {
    QApplication* qt = nullptr;
    ReleaseFilter* releaseFilter = nullptr;  // owned by qt
    ActivationPolicy activationPolicy = ActivationPolicy::regular;
};

Application& Application::sharedApplication() {
    // Never destroyed: views and windows held by the program's globals may outlive main(), and
    // Qt objects must not outlive the QApplication.
    static Application* application = [] {
        // Checked before anything is allocated: without a display the process ends here.
        if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
            writeStartFailure("no display (DISPLAY and WAYLAND_DISPLAY are unset)");
            std::exit(1);
        }
        return new Application();
    }();
    return *application;
}

Application::Application() : d(std::make_unique<Impl>()) {
    // The program reads no command-line arguments; Qt gets the program name only.
    static int argc = 1;
    static char programName[] = "quorvin";
    static char* argv[] = {programName, nullptr};
    handlerBeforeStart = qInstallMessageHandler(startMessageHandler);
    d->qt = new QApplication(argc, argv);
    qInstallMessageHandler(handlerBeforeStart);
    for (const std::string& message : heldStartMessages) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
    heldStartMessages.clear();
    installTranslation();
    installAccessibility();

    // Closing the last window asks the delegate instead (see windowDidClose).
    QApplication::setQuitOnLastWindowClosed(false);
    d->releaseFilter = new ReleaseFilter;
    d->releaseFilter->setParent(d->qt);
    d->qt->installEventFilter(d->releaseFilter);
}

Application::~Application() = default;

void Application::setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
    applicationDelegate() = std::move(delegate);
}

int Application::run() {
    QTimer::singleShot(0, d->qt, [] {
        if (const auto delegate = applicationDelegate().lock())
            delegate->applicationDidFinishLaunching();
    });
    return QApplication::exec();
}

void Application::terminate(int status) {
    QCoreApplication::exit(status);
}

void Application::setActivationPolicy(ActivationPolicy policy) {
    // Every window of a Qt program is an ordinary one; the policy is kept, not applied.
    d->activationPolicy = policy;
}

void Application::activateIgnoringOtherApps(bool) {
    for (QWidget* window : windowWidgets()) {
        if (!window->isVisible()) continue;
        window->raise();
        window->activateWindow();
    }
}

void Application::processEvents() {
    QCoreApplication::processEvents();
}

void windowDidClose() {
    // Asked once the closing window is hidden, from the event loop.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        for (const QWidget* window : windowWidgets()) {
            if (window->isVisible()) return;
        }
        const auto delegate = applicationDelegate().lock();
        if (delegate && delegate->applicationShouldTerminateAfterLastWindowClosed()) {
            Application::sharedApplication().terminate(0);
        }
    });
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Application.h"

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "quorvin/platform/SessionBusProbe.h"
#include "quorvin/platform/StartGuards.h"
#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/AfterFrame.h"
#include "quorvin/toolkit/qt/ColourEmoji.h"
#include "quorvin/toolkit/qt/InputRouter.h"
#include "quorvin/toolkit/qt/Translation.h"
#include "quorvin/toolkit/qt/Windows.h"

namespace quorvin::toolkit {

namespace {

// While Qt connects to the window system its platform plugin reports a failure as a few warnings
// and then a fatal message, which aborts with a core dump. The warnings are held back, and the
// fatal message becomes one line and exit status 1.
QtMessageHandler handlerBeforeStart = nullptr;
std::vector<std::string> heldStartMessages;

void startMessageHandler(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtFatalMsg) {
        writeStartFailure(windowSystemFailure());
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

// A silent session bus is waited for at most this long before Qt would wait for it (see
// avoidSilentSessionBus).
constexpr std::chrono::milliseconds kSessionBusTimeout{1000};

// Set once the delegate has agreed to end the running event loop.
bool terminationRequested = false;

std::weak_ptr<ApplicationDelegate>& applicationDelegate() {
    static std::weak_ptr<ApplicationDelegate> delegate;
    return delegate;
}

// Sets the windows' icon once the first window has been exposed, and so painted: loading the
// icon theme and the SVG plugin and drawing the icon at four sizes takes a few milliseconds that
// the first frame need not wait for.
class WindowIconSetter : public QObject {
public:
    QString themeName;
    QString bundledPath;

    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() == QEvent::Expose && receiver->isWindowType()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Queued: Qt paints the window while it handles this event.
            QTimer::singleShot(0, this, [this] { apply(); });
        }
        return false;
    }

    void apply() {
        QApplication::setWindowIcon(QIcon::fromTheme(themeName, QIcon(bundledPath)));
        deleteLater();
    }
};

// Qt's accessibility bridge connects to the session bus as the event loop starts, and waits for
// the connection. Asked for on a thread of its own before the application is made, the connection
// is made beside that construction, and the bridge finds it made. Returns that thread, or none
// when no thread can be had (the bridge then connects as before).
std::thread connectToSessionBusAhead() {
    // Qt takes the first thread that uses it for the main one: this one, before the new one.
    QThread::currentThread();
    try {
        return std::thread([] { QDBusConnection::sessionBus(); });
    } catch (const std::system_error&) {
        return {};
    }
}

}  // namespace

struct Application::Impl {
    QApplication* qt = nullptr;
    QPointer<WindowIconSetter> windowIconSetter;  // until the icon is set
};

Application& Application::sharedApplication() {
    // Never destroyed: views and windows held by the program's globals may outlive main(), and
    // Qt objects must not outlive the QApplication.
    static Application* application = [] {
        openStandardDescriptors();
        ignoreBrokenPipes();
        // Checked before anything is allocated: without a display the process ends here.
        exitWithoutDisplay();
        return new Application();
    }();
    return *application;
}

Application::Application() : d(std::make_unique<Impl>()) {
    // The program reads no command-line arguments; Qt gets the program name only.
    static int argc = 1;
    static char programName[] = "quorvin";
    static char* argv[] = {programName, nullptr};
    // The environment is settled before the threads below start: fontconfig and libdbus read it,
    // and changing it while another thread reads it is not safe.
    dropUnusableScaleFactor();
    avoidSilentSessionBus(kSessionBusTimeout);
    avoidMissingSessionBus();
    // Loading fontconfig's configuration and finding the colour emoji font need nothing from Qt:
    // they run beside Qt's connection to the display and the loading of its plugins, which take
    // longer, instead of after them. Fontconfig may be called from any thread.
    std::thread fontLookup;
    try {
        fontLookup = std::thread([] { colourEmojiFamily(); });
    } catch (const std::system_error&) {
        // No thread to be had: the lookup runs below instead.
    }
    handlerBeforeStart = qInstallMessageHandler(startMessageHandler);
    std::thread busConnection = connectToSessionBusAhead();
    d->qt = new QApplication(argc, argv);
    qInstallMessageHandler(handlerBeforeStart);
    for (const std::string& message : heldStartMessages) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
    heldStartMessages.clear();
    if (fontLookup.joinable()) fontLookup.join();
    if (busConnection.joinable()) busConnection.join();
    if (!colourEmojiFamily()) {
        const std::string line =
            "quorvin: no colour emoji font is installed (such as Noto Color Emoji); the copy and "
            "paste keys may show their symbols in black or as empty boxes\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    installTranslation();
    installAccessibility();

    // Closing the last window asks the delegate instead. Close requests can queue up (a double
    // click on the close button, several WM_DELETE_WINDOW messages): once the delegate has agreed
    // to end, the ones still queued change nothing.
    QApplication::setQuitOnLastWindowClosed(false);
    setLastWindowClosedHandler([] {
        if (terminationRequested) return;
        const auto delegate = applicationDelegate().lock();
        if (delegate && delegate->applicationShouldTerminateAfterLastWindowClosed()) {
            terminationRequested = true;
            Application::sharedApplication().terminate(0);
        }
    });
    InputRouter::shared();
}

Application::~Application() = default;

void Application::setDelegate(std::weak_ptr<ApplicationDelegate> delegate) {
    applicationDelegate() = std::move(delegate);
}

int Application::run() {
    terminationRequested = false;
    QTimer::singleShot(0, d->qt, [] {
        if (const auto delegate = applicationDelegate().lock())
            delegate->applicationDidFinishLaunching();
    });
    return QApplication::exec();
}

void Application::terminate(int status) {
    QCoreApplication::exit(status);
}

void Application::performAfterFrame(std::function<void()> work) {
    postAfterFrame(std::move(work));
}

// Every window of a Qt program is an ordinary one; the policy is accepted and not stored.
void Application::setActivationPolicy([[maybe_unused]] ActivationPolicy policy) {}

void Application::setIdentity(std::string_view desktopEntryId, std::string_view name,
                              std::string_view description, std::string_view bundledIcon) {
    // Not the application name below, which is the desktop entry's id for the window class.
    setAccessibleApplication(toQString(name), std::string(description));
    const QString id = toQString(desktopEntryId);
    QGuiApplication::setDesktopFileName(id);
    // The xcb platform takes the window class from the application name; the instance part of
    // WM_CLASS stays the program's name.
    QCoreApplication::setApplicationName(id);
    if (!d->windowIconSetter) {
        d->windowIconSetter = new WindowIconSetter;
        d->windowIconSetter->setParent(d->qt);
        d->qt->installEventFilter(d->windowIconSetter);
    }
    d->windowIconSetter->themeName = id;
    d->windowIconSetter->bundledPath = QStringLiteral(":/") + toQString(bundledIcon);
}

// Qt activates a window in one way only; the flag is accepted and changes nothing.
void Application::activateIgnoringOtherApps([[maybe_unused]] bool flag) {
    for (QWidget* window : windowWidgets()) {
        if (!window->isVisible()) continue;
        window->raise();
        window->activateWindow();
    }
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/Application.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/toolkit/Accessibility.h"
#include "quorvin/toolkit/ColourEmoji.h"
#include "quorvin/toolkit/DebugLog.h"
#include "quorvin/toolkit/InputRouter.h"
#include "quorvin/toolkit/QtConversions.h"
#include "quorvin/toolkit/SessionBusProbe.h"
#include "quorvin/toolkit/WindowWidget.h"

namespace quorvin::toolkit {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

void writeStartFailure(std::string_view reason) {
    std::fprintf(stderr, "quorvin: cannot start: %.*s\n", static_cast<int>(reason.size()),
                 reason.data());
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

// Descriptors 0, 1 and 2 are open before anything else opens a file: a connection that got one of
// them would receive whatever is written to standard output or standard error. A closed one is
// opened on /dev/null.
void openStandardDescriptors() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

// A reader of standard output or standard error that goes away must not end the program: writes
// then fail with EPIPE instead, and the lines are lost.
void ignoreBrokenPipes() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);
}

// Qt scales every window by QT_SCALE_FACTOR. Zero, a negative or non-finite number leaves a window
// that is never mapped, and text that is no number is not used anyway: either is dropped, with
// one line on standard error, before Qt reads it. Blanks around the number and a plus sign are
// allowed, as Qt allows them.
void dropUnusableScaleFactor() {
    const char* value = std::getenv("QT_SCALE_FACTOR");
    if (!value || !*value) return;
    std::string_view text(value);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.size() > 1 && text.front() == '+') text.remove_prefix(1);  // Qt reads "+2" as 2
    double factor = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), factor);
    if (error == std::errc{} && end == text.data() + text.size() && std::isfinite(factor) &&
        factor > 0)
        return;
    const std::string line = "quorvin: ignoring QT_SCALE_FACTOR=\"" +
                             escapeControlCharacters(value) + "\": not a positive number\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    ::unsetenv("QT_SCALE_FACTOR");
}

// Set once the delegate has agreed to end the running event loop.
bool terminationRequested = false;

// A session bus that takes connections and never answers (a stopped daemon) would hold the start
// in Qt's accessibility bridge for minutes. Asked first, it costs at most this long; Qt is then
// pointed at a bus address that fails at once, and starts without the bridge.
constexpr std::chrono::milliseconds kSessionBusTimeout{1000};
constexpr char kUnreachableBus[] = "unix:path=/dev/null";

void avoidSilentSessionBus() {
    if (!sessionBusIsSilent(kSessionBusTimeout)) return;
    const std::string line =
        "quorvin: the D-Bus session bus does not answer; starting without accessibility\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    setenv("DBUS_SESSION_BUS_ADDRESS", kUnreachableBus, 1);
}

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
    dropUnusableScaleFactor();
    avoidSilentSessionBus();
    handlerBeforeStart = qInstallMessageHandler(startMessageHandler);
    d->qt = new QApplication(argc, argv);
    qInstallMessageHandler(handlerBeforeStart);
    for (const std::string& message : heldStartMessages) {
        std::fwrite(message.data(), 1, message.size(), stderr);
        std::fputc('\n', stderr);
    }
    heldStartMessages.clear();
    if (!colourEmojiFamily()) {
        const std::string line =
            "quorvin: no colour emoji font is installed (such as Noto Color Emoji); the copy and "
            "paste keys may show their symbols in black or as empty boxes\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
    }
    installTranslation();
    installAccessibility();

    // Closing the last window asks the delegate instead (see windowDidClose).
    QApplication::setQuitOnLastWindowClosed(false);
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

void windowDidClose() {
    // Asked once the closing window is hidden, from the event loop. Close requests can queue up
    // (a double click on the close button, several WM_DELETE_WINDOW messages): once the delegate
    // has agreed to end, the ones still queued change nothing.
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (terminationRequested) return;
        for (const QWidget* window : windowWidgets()) {
            if (window->isVisible()) return;
        }
        const auto delegate = applicationDelegate().lock();
        if (delegate && delegate->applicationShouldTerminateAfterLastWindowClosed()) {
            terminationRequested = true;
            Application::sharedApplication().terminate(0);
        }
    });
}

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "quorvin/platform/DebugLog.h"
#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "quorvin/toolkit/qt/Windows.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::finishLiveResize;
using testing::makeShownWindow;
using testing::waitUntil;

// A quiet period short enough that tests of the quiet period itself end soon, for tests in which
// each live resize has a single size change (a longer pause of the test cannot split it).
constexpr std::chrono::milliseconds kShortQuietPeriod{20};

using Log = std::vector<std::string>;

std::string sizeText(Size size) {
    return formatSize(size.width, size.height);
}

// A content view that writes down every resize notification, with the size it had then.
class ResizeRecorder : public View {
public:
    using View::View;
    Log log;

    void viewWillStartLiveResize() override {
        View::viewWillStartLiveResize();
        log.push_back("start " + sizeText(frame().size));
    }
    void setFrameSize(Size size) override {
        View::setFrameSize(size);
        log.push_back(std::string(inLiveResize() ? "live " : "set ") + sizeText(size));
    }
    void viewDidEndLiveResize() override {
        View::viewDidEndLiveResize();
        log.push_back("end " + sizeText(frame().size) + (inLiveResize() ? " still live" : ""));
    }
};

// The main window's limits: 300 × 435 to 600 × 870 in the proportion 20 : 29.
void applyCalculatorLimits(Window& window) {
    window.setMinSize(Size{300, 435});
    window.setMaxSize(Size{600, 870});
    window.setContentAspectRatio(Size{20, 29});
}

class WindowResize : public ::testing::Test {
protected:
    void SetUp() override {
        window = makeShownWindow(Size{300, 435});
        applyCalculatorLimits(*window);
        content = View::make<ResizeRecorder>(makeRect(0, 0, 10, 10));
        window->setContentView(content);
        content->log.clear();
    }

    // Handles events until the live resize of `recorder`'s window has ended by itself, at the
    // end of its quiet period; false when it has not within the deadline.
    static bool waitForLiveResizeEnd(const ResizeRecorder& recorder) {
        return waitUntil([&recorder] {
            return !recorder.log.empty() && recorder.log.back().starts_with("end ");
        });
    }

    // A size change that the program did not make, as the window manager reports it.
    void resizeFromOutside(int width, int height) {
        widgetOf(*window)->windowHandle()->resize(width, height);
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Window> window;
    std::shared_ptr<ResizeRecorder> content;
};

TEST_F(WindowResize, OutsideChangesAreOneLiveResizeEndingWhenTheyStop) {
    auto child = View::make<View>(makeRect(0, 0, 10, 10));
    content->addSubview(child);
    resizeFromOutside(360, 522);
    resizeFromOutside(420, 609);
    EXPECT_TRUE(child->inLiveResize());
    // The program's own quiet period: the test's pause between the two changes stays well within.
    ASSERT_TRUE(waitForLiveResizeEnd(*content));
    EXPECT_FALSE(child->inLiveResize());
    EXPECT_EQ(content->log, (Log{"start (300.0, 435.0)", "live (360.0, 522.0)",
                                 "live (420.0, 609.0)", "end (420.0, 609.0)"}));
    EXPECT_FALSE(content->inLiveResize());
    EXPECT_EQ(window->contentSize(), (Size{420, 609}));
}

TEST_F(WindowResize, EachDragIsItsOwnLiveResize) {
    setLiveResizeQuietPeriod(*window, kShortQuietPeriod);
    resizeFromOutside(400, 580);
    ASSERT_TRUE(waitForLiveResizeEnd(*content));
    resizeFromOutside(300, 435);
    ASSERT_TRUE(waitForLiveResizeEnd(*content));
    EXPECT_EQ(content->log,
              (Log{"start (300.0, 435.0)", "live (400.0, 580.0)", "end (400.0, 580.0)",
                   "start (400.0, 580.0)", "live (300.0, 435.0)", "end (300.0, 435.0)"}));
}

TEST_F(WindowResize, ProgramSizesAreNeverLive) {
    window->setContentSize(Size{400, 580});
    QCoreApplication::processEvents();
    EXPECT_FALSE(finishLiveResize(*window)) << "no live resize waits for its end";
    EXPECT_EQ(content->log, Log{"set (400.0, 580.0)"});
    EXPECT_EQ(window->contentSize(), (Size{400, 580}));
    EXPECT_EQ(widgetOf(*content)->geometry(), QRect(0, 0, 400, 580));
}

struct CorrectionCase {
    QSize dragged;
    Log expected;
};
const CorrectionCase kCorrectionCases[] = {
    {QSize(800, 300),
     {"start (300.0, 435.0)", "live (800.0, 300.0)", "set (600.0, 870.0)", "end (600.0, 870.0)"}},
    {QSize(200, 200),
     {"start (300.0, 435.0)", "live (200.0, 200.0)", "set (300.0, 435.0)", "end (300.0, 435.0)"}},
    // Within the limits but out of proportion: the width decides.
    {QSize(500, 500),
     {"start (300.0, 435.0)", "live (500.0, 500.0)", "set (500.0, 725.0)", "end (500.0, 725.0)"}},
    {QSize(400, 580), {"start (300.0, 435.0)", "live (400.0, 580.0)", "end (400.0, 580.0)"}},
};

TEST_F(WindowResize, SizesOutsideTheLimitsAreCorrectedBeforeTheEnd) {
    for (const auto& c : kCorrectionCases) {
        window->setContentSize(Size{300, 435});
        content->log.clear();
        resizeFromOutside(c.dragged.width(), c.dragged.height());
        EXPECT_TRUE(finishLiveResize(*window)) << c.dragged.width() << " x " << c.dragged.height();
        EXPECT_EQ(content->log, c.expected) << c.dragged.width() << " x " << c.dragged.height();
    }
}

// Whatever size the desktop gives the window, the content keeps the limits: all of the window at
// an allowed size, else the largest allowed size that fits (the smallest when none does), centred.
struct PlacementCase {
    QSize window;
    Rect content;
};
const PlacementCase kPlacementCases[] = {
    {QSize(300, 435), makeRect(0, 0, 300, 435)},
    // Within a pixel of the proportion, as a window manager rounds it: all of the window.
    {QSize(413, 599), makeRect(0, 0, 413, 599)},
    {QSize(451, 653), makeRect(0, 0, 451, 653)},
    // Maximised, full screen, tiled.
    {QSize(1920, 1043), makeRect(660, 86.5, 600, 870)},
    {QSize(1920, 1080), makeRect(660, 105, 600, 870)},
    {QSize(1916, 1033), makeRect(658, 81.5, 600, 870)},
    // Within the limits but out of proportion: the height decides.
    {QSize(500, 500), makeRect(250 - 250.0 / 1.45, 0, 500 / 1.45, 500)},
    {QSize(600, 600), makeRect(300 - 300.0 / 1.45, 0, 600 / 1.45, 600)},
    // Smaller than the minimum on one side or both: the smallest allowed size, centred.
    {QSize(1000, 400), makeRect(350, -17.5, 300, 435)},
    {QSize(100, 100), makeRect(-100, -167.5, 300, 435)},
    {QSize(2400, 3000), makeRect(900, 1065, 600, 870)},
};

TEST_F(WindowResize, ContentTakesTheLargestAllowedPartOfTheWindowCentred) {
    for (const auto& c : kPlacementCases) {
        const std::string name =
            std::to_string(c.window.width()) + " x " + std::to_string(c.window.height());
        const Rect rule = window->contentFrameForWindowSize(
            Size{double(c.window.width()), double(c.window.height())});
        EXPECT_NEAR(rule.origin.x, c.content.origin.x, 1e-9) << name;
        EXPECT_NEAR(rule.origin.y, c.content.origin.y, 1e-9) << name;
        EXPECT_NEAR(rule.size.width, c.content.size.width, 1e-9) << name;
        EXPECT_NEAR(rule.size.height, c.content.size.height, 1e-9) << name;

        // A size the desktop forces: the view hears the window's size and takes its part.
        window->setContentSize(Size{400, 580});
        content->log.clear();
        resizeFromOutside(c.window.width(), c.window.height());
        EXPECT_EQ(content->frame(), rule) << name;
        EXPECT_EQ(content->log.back(),
                  "live " + sizeText(Size{double(c.window.width()), double(c.window.height())}))
            << name;
        const QRect placed = widgetOf(*content)->geometry();
        EXPECT_LE((placed.center() - QRect(QPoint(0, 0), c.window).center()).manhattanLength(), 2)
            << name;
        finishLiveResize(*window);
    }
}

TEST_F(WindowResize, ReplacingTheContentViewFillsTheWindowWithTheNewOne) {
    auto replacement = View::make<ResizeRecorder>(makeRect(40, 40, 10, 10));
    window->setContentView(replacement);
    EXPECT_EQ(window->contentView(), replacement);
    EXPECT_EQ(replacement->frame(), makeRect(0, 0, 300, 435));
    EXPECT_EQ(widgetOf(*replacement)->geometry(), QRect(0, 0, 300, 435));
    EXPECT_EQ(widgetOf(*content)->parentWidget(), nullptr);

    resizeFromOutside(400, 580);
    EXPECT_TRUE(finishLiveResize(*window));
    EXPECT_TRUE(content->log.empty());
    EXPECT_EQ(replacement->log, (Log{"set (300.0, 435.0)", "start (300.0, 435.0)",
                                     "live (400.0, 580.0)", "end (400.0, 580.0)"}));
}

TEST_F(WindowResize, ClosingDuringALiveResizeIsSafe) {
    setLiveResizeQuietPeriod(*window, kShortQuietPeriod);
    // A second window whose live resize starts later and waits twice as long: once it has ended,
    // the closed window's would have ended too.
    auto witness = makeShownWindow(Size{300, 435});
    setLiveResizeQuietPeriod(*witness, 2 * kShortQuietPeriod);
    auto witnessContent = View::make<ResizeRecorder>(makeRect(0, 0, 10, 10));
    witness->setContentView(witnessContent);

    resizeFromOutside(400, 580);
    widgetOf(*witness)->windowHandle()->resize(400, 580);
    window.reset();
    ASSERT_TRUE(waitForLiveResizeEnd(*witnessContent));
    // The content view outlives its window with its widget and its children.
    EXPECT_EQ(content->log, (Log{"start (300.0, 435.0)", "live (400.0, 580.0)"}));
    EXPECT_FALSE(content->inLiveResize());
    ASSERT_NE(widgetOf(*content), nullptr);
    content->addSubview(View::make<View>(makeRect(0, 0, 10, 10)));
}

struct ConstraintCase {
    Size requested;
    Size allowed;
};
constexpr ConstraintCase kConstraintCases[] = {
    {{300, 435}, {300, 435}},  {{450, 0}, {450, 652.5}},         {{400, 100}, {400, 580}},
    {{100, 100}, {300, 435}},  {{1000, 1000}, {600, 870}},       {{600, 1}, {600, 870}},
    {{-50, 9999}, {300, 435}}, {{599.5, 870}, {599.5, 869.275}},
};

TEST(WindowLimits, ConstrainedSizeKeepsTheLimitsAndTheProportion) {
    Window window(makeRect(0, 0, 300, 435), WindowStyle::titled | WindowStyle::resizable,
                  BackingStore::buffered, false);
    applyCalculatorLimits(window);
    for (const auto& c : kConstraintCases) {
        const Size allowed = window.constrainedContentSize(c.requested);
        EXPECT_DOUBLE_EQ(allowed.width, c.allowed.width) << c.requested.width;
        EXPECT_DOUBLE_EQ(allowed.height, c.allowed.height) << c.requested.width;
    }
    const Size fromNaN = window.constrainedContentSize(Size{std::nan(""), std::nan("")});
    EXPECT_EQ(fromNaN, (Size{300, 435}));

    // Without a proportion each side is clamped on its own.
    Window free(makeRect(0, 0, 300, 435), 0, BackingStore::buffered, false);
    free.setMinSize(Size{300, 435});
    free.setMaxSize(Size{600, 870});
    EXPECT_EQ(free.constrainedContentSize(Size{100, 1000}), (Size{300, 870}));
}

TEST(WindowLimits, ProgramSizesStayWithinTheLimits) {
    auto window = makeShownWindow(Size{300, 435});
    applyCalculatorLimits(*window);
    window->setContentSize(Size{1000, 2000});
    EXPECT_EQ(window->contentSize(), (Size{600, 870}));
    window->setContentSize(Size{10, 10});
    EXPECT_EQ(window->contentSize(), (Size{300, 435}));
    EXPECT_EQ(window->contentView()->frame().size, (Size{300, 435}));
}

// (content size, where it starts in the available area of the 800 × 800 test screen).
struct CentreCase {
    Size size;
    QPoint offset;
};
const CentreCase kCentreCases[] = {
    {Size{300, 435}, QPoint(250, 182)},
    {Size{799, 800}, QPoint(0, 0)},
    // Larger than the screen: the top-left corner, and with it the title bar, stays on it.
    {Size{300, 900}, QPoint(250, 0)},
    {Size{900, 435}, QPoint(0, 182)},
    {Size{1000, 1000}, QPoint(0, 0)},
};

TEST(WindowSetup, CentresOnThePrimaryScreenWithItsOwnSize) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(available.size(), QSize(800, 800));
    for (const auto& c : kCentreCases) {
        Window window(Rect{Point{0, 0}, c.size}, static_cast<unsigned>(WindowStyle::titled),
                      BackingStore::buffered, false);
        window.setTitle("Quorvin - Programmer Calculator \xE2\x80\x94 \xCE\xA3");
        EXPECT_EQ(window.title(), "Quorvin - Programmer Calculator \xE2\x80\x94 \xCE\xA3");
        window.center();
        EXPECT_EQ(widgetOf(window)->pos(), available.topLeft() + c.offset)
            << c.size.width << " x " << c.size.height;
        EXPECT_EQ(window.contentView()->frame(), (Rect{Point{0, 0}, c.size}));
        EXPECT_FALSE(window.isVisible());
    }
}

class Delegate : public ApplicationDelegate {
public:
    bool terminate = true;
    Log log;
    std::unique_ptr<Window> window;
    QObject timers;  // the timers below die with the delegate

    void applicationDidFinishLaunching() override {
        log.push_back("launched");
        window = makeShownWindow(Size{100, 100});
        QTimer::singleShot(10, &timers, [this] { window->close(); });
        // Ends the loop if the delegate is never asked.
        QTimer::singleShot(5000, &timers, [] { Application::sharedApplication().terminate(8); });
    }
    bool applicationShouldTerminateAfterLastWindowClosed() override {
        log.push_back(window->isVisible() ? "asked while visible" : "asked");
        // Ends the loop if the answer does not: a loop that the answer ended is gone by then.
        QTimer::singleShot(50, &timers, [] { Application::sharedApplication().terminate(7); });
        return terminate;
    }
};

TEST(ApplicationLoop, ClosingTheLastWindowAsksTheDelegate) {
    for (const bool terminate : {true, false}) {
        auto delegate = std::make_shared<Delegate>();
        delegate->terminate = terminate;
        Application& application = Application::sharedApplication();
        application.setDelegate(delegate);
        const int status = application.run();
        EXPECT_EQ(status, terminate ? 0 : 7);
        EXPECT_EQ(delegate->log, (Log{"launched", "asked"}));
        application.setDelegate({});
    }
}

// A view that notes each time it is drawn.
class LoggingView : public View {
public:
    using View::View;
    Log* log = nullptr;
    void draw(Painter& painter) const override {
        View::draw(painter);
        log->push_back("drawn");
    }
};

TEST(ApplicationLoop, WorkAfterTheFrameWaitsForTheFrameAskedForBeforeIt) {
    const auto window = makeShownWindow(Size{100, 100});
    Log log;
    const auto view = View::make<LoggingView>(Rect{Point{0, 0}, Size{100, 100}});
    view->log = &log;
    window->contentView()->addSubview(view);
    ASSERT_TRUE(waitUntil([&] { return !log.empty(); }));
    log.clear();
    view->setNeedsDisplay();
    Application::sharedApplication().performAfterFrame([&] {
        log.push_back("work");
        Application::sharedApplication().performAfterFrame([&] { log.push_back("more work"); });
    });
    ASSERT_TRUE(waitUntil([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (Log{"drawn", "work", "more work"}));
}

}  // namespace
}  // namespace quorvin::toolkit

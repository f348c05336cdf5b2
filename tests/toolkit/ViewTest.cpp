// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/TextField.h"
#include "quorvin/toolkit/View.h"
#include "quorvin/toolkit/qt/ViewWidget.h"
#include "tests/support/TestDriver.h"

namespace quorvin::toolkit {
namespace {

using testing::describe;
using testing::isColor;
using testing::liveViewCount;
using testing::makeShownWindow;
using testing::renderWindow;

QRect widgetGeometry(const View& view) {
    return widgetOf(view)->geometry();
}

struct FlipCase {
    Rect frame;  // in a 200 × 100 parent
    QRect expected;
};
constexpr FlipCase kFlipCases[] = {
    {makeRect(0, 0, 50, 20), QRect(0, 80, 50, 20)},
    {makeRect(10, 30, 40, 70), QRect(10, 0, 40, 70)},
    {makeRect(150, 90, 50, 10), QRect(150, 0, 50, 10)},
    {makeRect(-20, -10, 30, 30), QRect(-20, 80, 30, 30)},
    // Fractional frames round their edges, so neighbours neither overlap nor leave gaps.
    {makeRect(12.4, 10.6, 20.2, 9.8), QRect(12, 80, 21, 9)},
    {makeRect(0, 0, 0, 0), QRect(0, 100, 0, 0)},
};

TEST(ViewGeometry, FlipsTheBottomLeftOriginIntoTheParentWidget) {
    auto parent = View::make<View>(makeRect(0, 0, 200, 100));
    for (const auto& c : kFlipCases) {
        auto child = View::make<View>(c.frame);
        parent->addSubview(child);
        EXPECT_EQ(widgetGeometry(*child), c.expected)
            << c.frame.origin.x << ", " << c.frame.origin.y;
        EXPECT_EQ(child->frame(), c.frame);
        EXPECT_EQ(child->bounds(), (Rect{Point{}, c.frame.size}));
    }
}

TEST(ViewGeometry, ChildrenKeepTheirDistanceToTheBottomWhenTheParentHeightChanges) {
    auto parent = View::make<View>(makeRect(0, 0, 200, 100));
    auto child = View::make<View>(makeRect(10, 10, 50, 40));
    auto grandchild = View::make<View>(makeRect(5, 5, 10, 10));
    parent->addSubview(child);
    child->addSubview(grandchild);

    for (const double height : {300.0, 50.0, 100.0, 30.0}) {
        parent->setFrameSize(Size{200, height});
        EXPECT_EQ(widgetGeometry(*child), QRect(10, static_cast<int>(height) - 50, 50, 40))
            << height;
        EXPECT_EQ(child->frame(), makeRect(10, 10, 50, 40));
        // The child's own height did not change, so neither did its children's placement.
        EXPECT_EQ(widgetGeometry(*grandchild), QRect(5, 25, 10, 10)) << height;
    }
    // setFrame changes the height as well.
    parent->setFrame(makeRect(7, 0, 200, 120));
    EXPECT_EQ(widgetGeometry(*child), QRect(10, 70, 50, 40));
}

TEST(ViewGeometry, SetFrameReportsSizeChangesThroughSetFrameSize) {
    struct SizeRecorder : View {
        using View::View;
        std::vector<Size> sizes;
        void setFrameSize(Size size) override {
            sizes.push_back(size);
            View::setFrameSize(size);
        }
    };
    auto view = View::make<SizeRecorder>(makeRect(0, 0, 10, 10));
    view->setFrame(makeRect(5, 5, 10, 10));  // moved only
    view->setFrame(makeRect(1, 2, 30, 40));
    EXPECT_EQ(view->sizes, (std::vector<Size>{{30, 40}}));
    EXPECT_EQ(view->frame(), makeRect(1, 2, 30, 40));
}

TEST(ViewTree, AddingMovesAViewFromItsParentButNeverMakesACycle) {
    auto first = View::make<View>(makeRect(0, 0, 100, 100));
    auto second = View::make<View>(makeRect(0, 0, 100, 100));
    auto child = View::make<View>(makeRect(0, 0, 10, 10));
    first->addSubview(child);
    second->addSubview(child);
    EXPECT_TRUE(first->subviews().empty());
    EXPECT_EQ(child->superview(), second.get());
    EXPECT_EQ(widgetOf(*child)->parentWidget(), widgetOf(*second));

    child->addSubview(second);
    child->addSubview(child);
    second->addSubview(nullptr);
    EXPECT_TRUE(child->subviews().empty());
    EXPECT_EQ(second->superview(), nullptr);
    EXPECT_EQ(second->subviews().size(), 1u);
}

TEST(ViewTree, RemoveFromSuperviewDetachesTheWidgetAndKeepsTheOthersInOrder) {
    for (std::size_t removed = 0; removed < 3; ++removed) {
        auto parent = View::make<View>(makeRect(0, 0, 100, 100));
        std::vector<std::shared_ptr<View>> children;
        for (int i = 0; i < 3; ++i) {
            children.push_back(View::make<View>(makeRect(i * 10, 0, 10, 10)));
            parent->addSubview(children.back());
        }
        children[removed]->removeFromSuperview();
        children[removed]->removeFromSuperview();  // a second time does nothing

        std::vector<std::shared_ptr<View>> expected = children;
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(removed));
        EXPECT_EQ(parent->subviews(), expected) << removed;
        EXPECT_EQ(children[removed]->superview(), nullptr);
        EXPECT_EQ(widgetOf(*children[removed])->parentWidget(), nullptr);
        EXPECT_FALSE(widgetOf(*children[removed])->isVisibleTo(widgetOf(*parent)));
    }
}

TEST(ViewLifetime, DroppingEveryReferenceFreesTheTreeAndItsWidgets) {
    const std::size_t views = liveViewCount();
    const auto widgets = QApplication::allWidgets().size();
    {
        auto root = View::make<View>(makeRect(0, 0, 400, 580));
        for (int panel = 0; panel < 5; ++panel) {
            auto box = View::make<View>(makeRect(0, panel * 100, 400, 100));
            for (int i = 0; i < 4; ++i)
                box->addSubview(TextField::labelWithString("label"));
            root->addSubview(box);
        }
        EXPECT_EQ(liveViewCount(), views + 26);
    }
    EXPECT_EQ(liveViewCount(), views);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
}

TEST(ViewLifetime, RemovingEveryChildAsARebuildFreesThem) {
    auto root = View::make<View>(makeRect(0, 0, 400, 580));
    const std::size_t views = liveViewCount();
    const auto widgets = QApplication::allWidgets().size();
    for (int rebuild = 0; rebuild < 50; ++rebuild) {
        const auto snapshot = root->subviews();
        for (const auto& child : snapshot)
            child->removeFromSuperview();
        for (int i = 0; i < 10; ++i) {
            auto panel = View::make<View>(makeRect(0, i * 10, 400, 10));
            panel->addSubview(TextField::labelWithString("x"));
            root->addSubview(panel);
        }
    }
    EXPECT_EQ(liveViewCount(), views + 20);
    EXPECT_EQ(QApplication::allWidgets().size(), widgets + 20);
    const auto snapshot = root->subviews();
    for (const auto& child : snapshot)
        child->removeFromSuperview();
    EXPECT_TRUE(root->subviews().empty());
}

TEST(ViewLifetime, ViewsHeldElsewhereOutliveTheirParents) {
    const std::size_t views = liveViewCount();
    std::shared_ptr<TextField> label = TextField::labelWithString("kept");
    std::shared_ptr<TextField> nested = TextField::labelWithString("kept too");
    {
        auto panel = View::make<View>(makeRect(0, 0, 100, 100));
        auto box = View::make<View>(makeRect(0, 0, 50, 50));  // held by the panel only
        panel->addSubview(label);
        panel->addSubview(TextField::labelWithString("dropped"));
        panel->addSubview(box);
        box->addSubview(nested);
    }
    EXPECT_EQ(liveViewCount(), views + 2);
    for (const TextField* survivor : {label.get(), nested.get()}) {
        EXPECT_EQ(survivor->superview(), nullptr) << survivor->stringValue();
        ASSERT_NE(widgetOf(*survivor), nullptr) << survivor->stringValue();
        EXPECT_EQ(widgetOf(*survivor)->parentWidget(), nullptr) << survivor->stringValue();
    }
    nested.reset();

    // Still usable: it can join another tree and be dropped there.
    auto other = View::make<View>(makeRect(0, 0, 100, 100));
    other->addSubview(label);
    EXPECT_EQ(widgetOf(*label)->parentWidget(), widgetOf(*other));
    label.reset();
    other.reset();
    EXPECT_EQ(liveViewCount(), views);
}

// A 40 × 40 layered view at (10, 10) of a white 60 × 60 window; pixels are in widget coordinates
// of the view (top-left origin).
struct LayerCase {
    const char* name;
    std::optional<Color> background;
    double cornerRadius;
    double borderWidth;
    std::optional<Color> borderColor;
    struct Sample {
        int x, y;
        Color expected;
    };
    std::vector<Sample> samples;
};

const Color kWhite = Color::whiteColor();
const Color kBlue = Color::rgba(0.2, 0.4, 0.6, 1);
const Color kRed = Color::rgba(0.93, 0.11, 0.14, 1);

const LayerCase kLayerCases[] = {
    {"square background fills the corners",
     kBlue,
     0,
     0,
     std::nullopt,
     {{0, 0, kBlue}, {20, 20, kBlue}, {39, 39, kBlue}}},
    {"rounded background leaves the corners",
     kBlue,
     10,
     0,
     std::nullopt,
     {{0, 0, kWhite}, {39, 0, kWhite}, {0, 39, kWhite}, {20, 20, kBlue}, {20, 0, kBlue}}},
    {"half-transparent background blends",
     Color::rgba(0, 0, 0, 0.5),
     0,
     0,
     std::nullopt,
     {{20, 20, Color::white(0.5, 1)}}},
    {"border lies inside the edge",
     kBlue,
     0,
     3,
     kRed,
     {{0, 20, kRed}, {2, 20, kRed}, {3, 20, kBlue}, {20, 39, kRed}, {20, 20, kBlue}}},
    {"border without colour is not drawn", kBlue, 0, 3, std::nullopt, {{0, 20, kBlue}}},
    {"no background shows the window", std::nullopt, 0, 0, std::nullopt, {{20, 20, kWhite}}},
};

TEST(LayerPainting, PaintsExactColoursInsideTheRoundedRectangle) {
    for (const auto& c : kLayerCases) {
        auto window = makeShownWindow(Size{60, 60});
        auto view = View::make<View>(makeRect(10, 10, 40, 40));
        view->setWantsLayer(true);
        view->layer()->setBackgroundColor(c.background);
        view->layer()->setCornerRadius(c.cornerRadius);
        view->layer()->setBorderWidth(c.borderWidth);
        view->layer()->setBorderColor(c.borderColor);
        window->contentView()->addSubview(view);

        const QImage image = renderWindow(*window);
        for (const auto& s : c.samples) {
            const QColor pixel = image.pixelColor(10 + s.x, 10 + s.y);
            EXPECT_TRUE(isColor(pixel, s.expected))
                << c.name << " at (" << s.x << ", " << s.y << "): " << describe(pixel);
        }
    }
}

TEST(LayerPainting, RoundedCornersAreAntialiased) {
    auto window = makeShownWindow(Size{60, 60});
    auto view = View::make<View>(makeRect(10, 10, 40, 40));
    view->setWantsLayer(true);
    view->layer()->setBackgroundColor(Color::rgba(0, 0, 0, 1));
    view->layer()->setCornerRadius(12);
    window->contentView()->addSubview(view);

    const QImage image = renderWindow(*window);
    int blended = 0;
    for (int i = 0; i < 12; ++i) {
        const int level = image.pixelColor(10 + i, 10 + i).red();
        if (level > 5 && level < 250) ++blended;
    }
    EXPECT_GE(blended, 1) << "the corner's diagonal has only fully covered or empty pixels";
}

TEST(LayerPainting, BackgroundIsUnderTheContentAndTheBorderOverIt) {
    auto window = makeShownWindow(Size{60, 60});
    auto field = View::make<TextField>(makeRect(10, 10, 40, 40));
    field->setDrawsBackground(true);
    field->setBackgroundColor(Color::rgba(0, 1, 0, 1));
    field->setWantsLayer(true);
    field->layer()->setBackgroundColor(kBlue);
    field->layer()->setBorderWidth(2);
    field->layer()->setBorderColor(kRed);
    window->contentView()->addSubview(field);

    const QImage image = renderWindow(*window);
    EXPECT_TRUE(isColor(image.pixelColor(30, 30), Color::rgba(0, 1, 0, 1)))
        << describe(image.pixelColor(30, 30));
    EXPECT_TRUE(isColor(image.pixelColor(10, 30), kRed)) << describe(image.pixelColor(10, 30));
}

TEST(WindowPainting, BackgroundColourFillsTheContentArea) {
    auto window = makeShownWindow(Size{50, 50});
    const Color background = Color::rgba(0.117, 0.118, 0.133, 1);
    window->setBackgroundColor(background);
    const QImage image = renderWindow(*window);
    for (const QPoint p : {QPoint(0, 0), QPoint(25, 25), QPoint(49, 49)})
        EXPECT_TRUE(isColor(image.pixelColor(p), background)) << describe(image.pixelColor(p));
}

}  // namespace
}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Launch: the main window, its resizable content view and the first build of the interface.
#include <memory>
#include <optional>
#include <string_view>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/controller/Palette.h"
#include "quorvin/platform/DebugLog.h"
#include "quorvin/toolkit/Translatable.h"
#include "quorvin/views/ResizableContentView.h"

namespace quorvin {

namespace {

using toolkit::Size;
using toolkit::WindowStyle;

// The desktop entry's name without ".desktop", which is also the name of the icon.
constexpr std::string_view kDesktopEntryId = "io.quorvin.Quorvin";
constexpr std::string_view kBundledIcon = "io.quorvin.Quorvin.svg";
constexpr toolkit::Rect kInitialContentRect = toolkit::makeRect(0, 0, 300, 435);
constexpr Size kMinSize{300, 435};
constexpr Size kMaxSize{600, 870};
// 300 × 435 is 15 times 20 : 29, and 600 × 870 is 30 times.
constexpr Size kContentAspectRatio{20, 29};

}  // namespace

void AppDelegate::applicationDidFinishLaunching() {
    toolkit::debugLog("Quorvin starting...");
    auto& app = toolkit::Application::sharedApplication();
    app.setIdentity(kDesktopEntryId, "Quorvin", QUORVIN_TRANSLATABLE("Programmer calculator"),
                    kBundledIcon);

    window =
        std::make_unique<toolkit::Window>(kInitialContentRect,
                                          WindowStyle::titled | WindowStyle::closable |
                                              WindowStyle::miniaturizable | WindowStyle::resizable,
                                          toolkit::BackingStore::buffered, false);
    window->setTitle("Quorvin - Programmer Calculator");
    window->setMinSize(kMinSize);
    window->setMaxSize(kMaxSize);
    window->setContentAspectRatio(kContentAspectRatio);
    window->setBackgroundColor(palette::windowBackground);
    window->center();
    window->setDelegate(weak_from_this());

    const auto contentView =
        toolkit::View::make<ResizableContentView>(window->contentView()->frame());
    contentView->setWantsLayer(true);
    contentView->onResize = [weakSelf = weak_from_this()] {
        if (const auto self = weakSelf.lock()) self->handleResize();
    };
    window->setContentView(contentView);

    // Every key goes to keyDown and no further: no control or shortcut ever sees a key.
    toolkit::addLocalMonitorForEvents(
        toolkit::EventMask::keyDown, [weakSelf = weak_from_this()](const toolkit::KeyEvent& event) {
            if (const auto self = weakSelf.lock()) self->keyDown(event);
            return std::optional<toolkit::KeyEvent>{};
        });

    setupUI();
    updateSystemButtons();
    updateDisplay();

    window->makeKeyAndOrderFront();
    app.setActivationPolicy(toolkit::ActivationPolicy::regular);
    app.activateIgnoringOtherApps(true);

    toolkit::debugLog("App ready!");
}

bool AppDelegate::applicationShouldTerminateAfterLastWindowClosed() {
    toolkit::debugLog("App closing");
    return true;
}

}  // namespace quorvin

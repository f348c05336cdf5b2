// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace quorvin::toolkit {

// What the application asks of its delegate.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    // Called once, from inside the event loop, when the application has started.
    virtual void applicationDidFinishLaunching() {}
    // Asked when the last window has closed; true ends the event loop with status 0.
    virtual bool applicationShouldTerminateAfterLastWindowClosed() { return false; }
};

enum class ActivationPolicy { regular = 0, accessory = 1, prohibited = 2 };

// The one application object and its event loop. Created on first use; without a display to
// connect to it writes one line to standard error and ends the process with status 1.
class Application {
public:
    static Application& sharedApplication();

    void setDelegate(std::weak_ptr<ApplicationDelegate> delegate);
    // Runs the event loop until the application terminates; returns the exit status.
    int run();
    void terminate(int status = 0);
    // Runs `work` once the events waiting now have been handled and the frame they ask for has
    // been drawn: for work the next frame need not wait for. Work still waiting when the
    // application ends never runs.
    void performAfterFrame(std::function<void()> work);
    void setActivationPolicy(ActivationPolicy policy);
    // Ties the application to its desktop entry, named `desktopEntryId` + ".desktop": the id
    // becomes the Wayland app_id and the class of the X11 windows (their WM_CLASS), and the
    // windows carry the icon of that name from the installed icon theme or, when the theme has
    // none, the image compiled into the program under `bundledIcon` (see
    // quorvin_bundle_resources), set once the first window has been painted. Assistive
    // technology calls the application `name`, the same in every language, and describes it
    // with `description`, English marked QUORVIN_TRANSLATABLE and read in the user's language.
    // Call before the first window is created.
    void setIdentity(std::string_view desktopEntryId, std::string_view name,
                     std::string_view description, std::string_view bundledIcon);
    void activateIgnoringOtherApps(bool flag);

private:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace quorvin::toolkit

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <memory>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/toolkit/Application.h"

int main() {
    auto& app = quorvin::toolkit::Application::sharedApplication();
    const auto delegate = std::make_shared<quorvin::AppDelegate>();
    app.setDelegate(delegate);
    return app.run();
}

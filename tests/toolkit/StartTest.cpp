// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct StartCase {
    const char* name;
    std::vector<std::pair<QString, QString>> set;  // on top of the test's environment
    std::vector<QString> unset;
    int exitCode;
    const char* errorLine;  // the whole of standard error; empty: nothing
};

// An X display that no server listens on.
const QString kDeadDisplay = ":87";

const StartCase kStartCases[] = {
    {"no display at all",
     {},
     {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
     1,
     "quorvin: cannot start: no display (DISPLAY and WAYLAND_DISPLAY are unset)\n"},
    {"empty display variables",
     {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}},
     {"QT_QPA_PLATFORM"},
     1,
     "quorvin: cannot start: no display (DISPLAY and WAYLAND_DISPLAY are unset)\n"},
    {"unreachable X display",
     {{"DISPLAY", kDeadDisplay}},
     {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
     1,
     "quorvin: cannot start: cannot open display \":87\"\n"},
    {"unknown platform",
     {{"QT_QPA_PLATFORM", "nowhere\x1B"}},
     {},
     1,
     "quorvin: cannot start: the window system \"nowhere\\x1B\" could not be started\n"},
    {"headless platform", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, 0, ""},
};

TEST(Start, WithoutAUsableDisplayEndsWithOneLineAndStatusOne) {
    ASSERT_FALSE(QFileInfo::exists("/tmp/.X11-unix/X87")) << "an X server listens on :87";
    for (const auto& c : kStartCases) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const auto& name : c.unset)
            environment.remove(name);
        for (const auto& [name, value] : c.set)
            environment.insert(name, value);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QUORVIN_START_HELPER, {});
        ASSERT_TRUE(process.waitForFinished(30000)) << c.name;
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << c.name;
        EXPECT_EQ(process.exitCode(), c.exitCode) << c.name;
        EXPECT_EQ(process.readAllStandardError().toStdString(), c.errorLine) << c.name;
        EXPECT_EQ(process.readAllStandardOutput().toStdString(), "") << c.name;
    }
}

}  // namespace

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/platform/StartGuards.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "quorvin/platform/DebugLog.h"

namespace quorvin::toolkit {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

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

void ignoreBrokenPipes() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGPIPE, &ignore, nullptr);
}

void writeStartFailure(std::string_view reason) {
    std::fprintf(stderr, "quorvin: cannot start: %.*s\n", static_cast<int>(reason.size()),
                 reason.data());
    std::fflush(stderr);
}

void exitWithoutDisplay() {
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY")) return;
    writeStartFailure("no display (DISPLAY and WAYLAND_DISPLAY are unset)");
    std::exit(1);
}

std::string windowSystemFailure() {
    if (isSet("QT_QPA_PLATFORM")) {
        return "the window system \"" + escapeControlCharacters(std::getenv("QT_QPA_PLATFORM")) +
               "\" could not be started";
    }
    if (isSet("DISPLAY"))
        return "cannot open display \"" + escapeControlCharacters(std::getenv("DISPLAY")) + "\"";
    if (isSet("WAYLAND_DISPLAY")) {
        return "cannot connect to Wayland display \"" +
               escapeControlCharacters(std::getenv("WAYLAND_DISPLAY")) + "\"";
    }
    return "the window system could not be started";
}

bool dropUnusableScaleFactor() {
    const char* value = std::getenv("QT_SCALE_FACTOR");
    if (!value || !*value) return false;
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
        return false;
    const std::string line = "quorvin: ignoring QT_SCALE_FACTOR=\"" +
                             escapeControlCharacters(value) + "\": not a positive number\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    ::unsetenv("QT_SCALE_FACTOR");
    return true;
}

}  // namespace quorvin::toolkit

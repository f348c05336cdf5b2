// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Whether the D-Bus session bus answers, asked over a plain socket before Qt connects to it: Qt's
// accessibility bridge connects synchronously at start-up and waits as long as the bus lets it.

#include "quorvin/platform/SessionBusProbe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace quorvin::toolkit {

namespace {

using Clock = std::chrono::steady_clock;

// A socket address of the bus: a path, or an abstract name (a leading NUL).
struct BusSocket {
    std::string name;
    bool abstract = false;
};

// A value of a D-Bus address, with its %XX escapes decoded.
std::string unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '%' && i + 2 < value.size()) {
            const std::string hex(value.substr(i + 1, 2));
            char* end = nullptr;
            const long byte = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) {
                out.push_back(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        out.push_back(value[i]);
    }
    return out;
}

// The socket of one address entry ("unix:path=/run/user/1000/bus,guid=…"), or nothing for a
// transport that is not a local socket (tcp, autolaunch, …).
std::optional<BusSocket> socketOf(std::string_view entry) {
    constexpr std::string_view kUnix = "unix:";
    if (!entry.starts_with(kUnix)) return std::nullopt;
    entry.remove_prefix(kUnix.size());
    while (!entry.empty()) {
        const std::size_t comma = entry.find(',');
        const std::string_view pair = entry.substr(0, comma);
        entry = comma == std::string_view::npos ? std::string_view{} : entry.substr(comma + 1);
        if (pair.starts_with("path=")) return BusSocket{unescaped(pair.substr(5)), false};
        if (pair.starts_with("abstract=")) return BusSocket{unescaped(pair.substr(9)), true};
    }
    return std::nullopt;
}

// A non-blocking socket connected to the bus, or -1 when it refuses at once (as libdbus would
// find and move on).
int connectTo(const BusSocket& bus) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t offset = bus.abstract ? 1 : 0;
    if (bus.name.empty() || bus.name.size() + offset >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path + offset, bus.name.data(), bus.name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                               bus.name.size() + (bus.abstract ? 0 : 1));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 || errno == EAGAIN ||
        errno == EINPROGRESS) {
        // A full backlog (EAGAIN) is a bus that does not take connections: it will not answer.
        return fd;
    }
    close(fd);
    return -1;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd descriptor{fd, events, 0};
        const int ready = poll(&descriptor, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

// True when the bus replies to the first step of the authentication handshake in time (any
// reply: OK, REJECTED, ERROR), or closes the connection at once, as a broken bus does.
bool answers(int fd, Clock::time_point deadline) {
    std::string hexUid;
    for (const char digit : std::to_string(getuid())) {
        constexpr char kHex[] = "0123456789abcdef";
        hexUid.push_back(kHex[(digit >> 4) & 0xF]);
        hexUid.push_back(kHex[digit & 0xF]);
    }
    const std::string request = std::string(1, '\0') + "AUTH EXTERNAL " + hexUid + "\r\n";
    std::size_t sent = 0;
    while (sent < request.size()) {
        if (!waitFor(fd, POLLOUT, deadline)) return false;
        const ssize_t written =
            send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (written < 0 && errno != EAGAIN && errno != EINTR) return true;
        if (written > 0) sent += static_cast<std::size_t>(written);
    }
    char reply[256];
    if (!waitFor(fd, POLLIN, deadline)) return false;
    return recv(fd, reply, sizeof reply, 0) != -1 || (errno != EAGAIN && errno != EINTR);
}

bool isSocket(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

bool exists(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

// True when one of the colon-separated `folders` holds a program named `name` that may be run.
// An empty entry is the current folder, as for the shell.
bool holdsProgram(std::string_view folders, std::string_view name) {
    for (;;) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::string path =
            (folder.empty() ? std::string(".") : std::string(folder)) + "/" + std::string(name);
        if (access(path.c_str(), X_OK) == 0) return true;
        if (colon == std::string_view::npos) return false;
        folders.remove_prefix(colon + 1);
    }
}

// The file a bus started for this user would be reached at, or nothing without a runtime folder.
std::optional<std::string> runtimeBusPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return std::nullopt;
    return std::string(runtime) + "/bus";
}

// The address libdbus would be given to make a connection fail at once.
constexpr const char* kFailingAddress = "unix:path=/dev/null";

}  // namespace

bool sessionBusIsSilent(std::chrono::milliseconds timeout) {
    std::string addresses;
    if (const char* configured = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        configured && *configured) {
        addresses = configured;
    } else if (const auto path = runtimeBusPath()) {
        // With no address configured the bus is looked for here.
        if (!isSocket(*path)) return false;
        addresses = "unix:path=" + *path;
    } else {
        return false;
    }
    const auto deadline = Clock::now() + timeout;
    std::string_view rest = addresses;
    while (!rest.empty()) {
        const std::size_t semicolon = rest.find(';');
        const std::string_view entry = rest.substr(0, semicolon);
        rest =
            semicolon == std::string_view::npos ? std::string_view{} : rest.substr(semicolon + 1);
        if (entry.empty()) continue;
        const auto bus = socketOf(entry);
        if (!bus) return false;  // not a transport this can ask
        const int fd = connectTo(*bus);
        if (fd < 0) continue;  // refused at once: the next address is tried, as libdbus does
        const bool silent = !answers(fd, deadline);
        close(fd);
        return silent;
    }
    return false;
}

bool avoidSilentSessionBus(std::chrono::milliseconds timeout) {
    if (!sessionBusIsSilent(timeout)) return false;
    const std::string line =
        "quorvin: the D-Bus session bus does not answer; starting without accessibility\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
    setenv("DBUS_SESSION_BUS_ADDRESS", kFailingAddress, 1);
    return true;
}

bool sessionBusIsMissing(std::string_view launcherFolders) {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS")) return false;
    // Anything by that name may be a bus libdbus would try.
    if (const auto path = runtimeBusPath(); path && exists(*path)) return false;
    if (holdsProgram(launcherFolders, "dbus-launch")) return false;
    // Without PATH, libdbus's search falls back to the C library's default one.
    const char* path = std::getenv("PATH");
    return !holdsProgram(path ? path : "/bin:/usr/bin", "dbus-launch");
}

bool avoidMissingSessionBus() {
    if (!sessionBusIsMissing()) return false;
    setenv("DBUS_SESSION_BUS_ADDRESS", kFailingAddress, 1);
    return true;
}

}  // namespace quorvin::toolkit

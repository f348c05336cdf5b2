// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <poll.h>
#include <stddef.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "quorvin/platform/SessionBusProbe.h"

namespace {

// A new folder of the test's own, or nothing when none could be made.
std::string newTemporaryFolder() {
    const char* temporary = std::getenv("TMPDIR");
    std::string folder =
        std::string(temporary && *temporary ? temporary : "/tmp") + "/quorvin-bus-XXXXXX";
    return mkdtemp(folder.data()) ? folder : std::string();
}

// A listening unix socket at a path (or an abstract name, after a NUL) that never accepts: the
// kernel completes each connect, and nothing is ever said.
class SilentBus {
public:
    explicit SilentBus(const std::string& name, bool abstract = false) {
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path + (abstract ? 1 : 0), name.data(), name.size());
        const auto length =
            static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + name.size() + 1);
        EXPECT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), length), 0) << name;
        EXPECT_EQ(listen(fd, 8), 0);
    }
    ~SilentBus() { close(fd); }
    SilentBus(const SilentBus&) = delete;
    SilentBus& operator=(const SilentBus&) = delete;

    int fd = -1;
};

// Sets an environment variable (or unsets it) for one scope.
class ScopedVariable {
public:
    ScopedVariable(const char* variable, std::optional<std::string> value) : name(variable) {
        if (const char* old = std::getenv(name)) previous = old;
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedVariable() {
        if (previous) {
            setenv(name, previous->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

TEST(SessionBusProbe, ABusThatTakesConnectionsButNeverAnswersIsFound) {
    const std::string folder = newTemporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string silent = folder + "/silent-bus";
    const std::string missing = folder + "/no-bus";
    const std::string abstractName = folder + "/abstract-bus";
    const SilentBus bus(silent);
    const SilentBus abstractBus(abstractName, true);
    // One that answers the handshake's first line, as a working bus does.
    const std::string answering = folder + "/bus";
    const SilentBus answeringBus(answering);
    std::thread answerer([fd = answeringBus.fd] {
        for (int asked = 0; asked < 2; ++asked) {  // the "answers" and "default" cases
            pollfd waiting{fd, POLLIN, 0};
            if (poll(&waiting, 1, 5000) != 1) return;  // never asked: the case fails, no hang
            const int connection = accept(fd, nullptr, nullptr);
            char request[256];
            (void)!read(connection, request, sizeof request);
            constexpr char kReply[] = "REJECTED EXTERNAL\r\n";
            (void)!write(connection, kReply, sizeof kReply - 1);
            close(connection);
        }
    });

    struct BusCase {
        const char* name;
        std::optional<std::string> address;
        bool silent;
    };
    const BusCase cases[] = {
        {"silent path", "unix:path=" + silent + ",guid=00ff", true},
        {"silent abstract name", "unix:guid=1,abstract=" + abstractName, true},
        {"escaped path", "unix:path=" + folder + "%2fsilent%2Dbus", true},
        {"refused, then silent", "unix:path=" + missing + ";unix:path=" + silent, true},
        {"refused at once", "unix:path=" + missing, false},
        {"not a local socket", "tcp:host=127.0.0.1,port=9;unix:path=" + silent, false},
        {"answers", "unix:path=" + answering, false},
        // Unset, the bus is looked for in the runtime folder: there it answers.
        {"default", std::nullopt, false},
    };
    // A bus is found silent only once the whole timeout has passed, so those cases get a short
    // one; the others end as soon as the bus answers or the connection fails, and get a long one
    // so that a busy machine cannot make an answering bus look silent.
    constexpr std::chrono::milliseconds kSilentTimeout{10};
    constexpr std::chrono::milliseconds kAnsweringTimeout{1000};
    const ScopedVariable runtime("XDG_RUNTIME_DIR", folder);
    for (const auto& c : cases) {
        const ScopedVariable variable("DBUS_SESSION_BUS_ADDRESS", c.address);
        const auto begin = std::chrono::steady_clock::now();
        EXPECT_EQ(
            quorvin::toolkit::sessionBusIsSilent(c.silent ? kSilentTimeout : kAnsweringTimeout),
            c.silent)
            << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2)) << c.name;
    }
    answerer.join();
    {
        // Without a socket in the runtime folder nothing is asked.
        const ScopedVariable variable("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
        const ScopedVariable elsewhere("XDG_RUNTIME_DIR", missing);
        EXPECT_FALSE(quorvin::toolkit::sessionBusIsSilent(std::chrono::milliseconds(100)));
    }
    // The sockets' files; the listening sockets close as the test ends.
    for (const std::string& name : {silent, answering})
        unlink(name.c_str());
    rmdir(folder.c_str());
}

TEST(SessionBusProbe, ABusIsMissingOnlyWhenNoneCanBeFoundOrLaunched) {
    const std::string folder = newTemporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string runtimeWithBus = folder + "/runtime";
    const std::string launcher = folder + "/bin";
    const std::string notRunnable = folder + "/text";
    const std::string empty = folder + "/empty";
    for (const std::string& made : {runtimeWithBus, launcher, notRunnable, empty})
        ASSERT_EQ(mkdir(made.c_str(), 0700), 0) << made;
    // Files that are only looked at: a bus that is a plain file, a launcher that is a script.
    const auto write = [](const std::string& path, mode_t mode) {
        std::FILE* file = std::fopen(path.c_str(), "w");
        ASSERT_NE(file, nullptr) << path;
        std::fclose(file);
        chmod(path.c_str(), mode);
    };
    write(runtimeWithBus + "/bus", 0600);
    write(launcher + "/dbus-launch", 0700);
    write(notRunnable + "/dbus-launch", 0600);

    struct MissingCase {
        const char* name;
        std::optional<std::string> address, runtime, path;
        std::string launcherFolders;
        bool missing;
    };
    const MissingCase cases[] = {
        {"nothing anywhere", std::nullopt, empty, empty, empty, true},
        {"an address is configured", "unix:path=/nowhere", empty, empty, empty, false},
        {"an empty address is still one", "", empty, empty, empty, false},
        {"something in the runtime folder", std::nullopt, runtimeWithBus, empty, empty, false},
        {"no runtime folder", std::nullopt, std::nullopt, empty, empty, true},
        {"dbus-launch in a launcher folder", std::nullopt, empty, empty, empty + ":" + launcher,
         false},
        {"dbus-launch on PATH", std::nullopt, empty, notRunnable + ":" + launcher, empty, false},
        {"a dbus-launch that cannot run", std::nullopt, empty, notRunnable, notRunnable, true},
    };
    for (const auto& c : cases) {
        const ScopedVariable address("DBUS_SESSION_BUS_ADDRESS", c.address);
        const ScopedVariable runtime("XDG_RUNTIME_DIR", c.runtime);
        const ScopedVariable path("PATH", c.path);
        EXPECT_EQ(quorvin::toolkit::sessionBusIsMissing(c.launcherFolders), c.missing) << c.name;
    }
    for (const std::string& file :
         {runtimeWithBus + "/bus", launcher + "/dbus-launch", notRunnable + "/dbus-launch"})
        unlink(file.c_str());
    for (const std::string& made : {runtimeWithBus, launcher, notRunnable, empty, folder})
        rmdir(made.c_str());
}

}  // namespace

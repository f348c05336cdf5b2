// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/platform/DebugLog.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

namespace quorvin::toolkit {

namespace {

constexpr char kPrefix[] = "DEBUG: ";
constexpr std::size_t kPrefixSize = sizeof kPrefix - 1;
constexpr std::chrono::milliseconds kExitFlushTimeout{2000};

std::function<void(std::string_view)>& debugSink() {
    static std::function<void(std::string_view)> sink;
    return sink;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendHexEscape(std::string& out, unsigned value) {
    out += "\\x";
    out.push_back(kHexDigits[(value >> 4) & 0xF]);
    out.push_back(kHexDigits[value & 0xF]);
}

void appendCodePointEscape(std::string& out, unsigned code) {
    out += "\\u{";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(kHexDigits[(code >> shift) & 0xF]);
    out.push_back('}');
}

unsigned char byteAt(std::string_view text, std::size_t i) {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
}

// The code point of the three-byte sequence at `i` when it is one of the bidirectional controls
// or separators that are escaped, else 0. All of them are E2 80 xx or E2 81 xx.
unsigned escapedFormatControlAt(std::string_view text, std::size_t i) {
    if (byteAt(text, i) != 0xE2) return 0;
    const unsigned second = byteAt(text, i + 1);
    const unsigned third = byteAt(text, i + 2);
    if (second != 0x80 && second != 0x81) return 0;
    if (third < 0x80 || third > 0xBF) return 0;
    const unsigned code = 0x2000 | ((second & 0x3F) << 6) | (third & 0x3F);
    const bool escaped = (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
    return escaped ? code : 0;
}

// Escapes `text` from `from` on into `out` until the end or until `out` has grown to `limit`
// bytes; returns where it stopped. No escape is ever split, so a long text can be escaped piece
// by piece.
std::size_t appendEscaped(std::string& out, std::string_view text, std::size_t from,
                          std::size_t limit) {
    std::size_t i = from;
    while (i < text.size() && out.size() < limit) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            appendHexEscape(out, byte);
        } else if (byte == 0xC2 && byteAt(text, i + 1) >= 0x80 && byteAt(text, i + 1) <= 0x9F) {
            // U+0080 to U+009F: C2 followed by the code point itself.
            appendHexEscape(out, byteAt(text, ++i));
        } else if (const unsigned code = escapedFormatControlAt(text, i)) {
            appendCodePointEscape(out, code);
            i += 2;
        } else {
            out.push_back(text[i]);
        }
        ++i;
    }
    return i;
}

std::string formatNumber(double value) {
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    std::string text = error == std::errc{} ? std::string(buffer, end) : std::string("nan");
    if (std::isfinite(value) && text.find('.') == std::string::npos) text += ".0";
    return text;
}

// Writes all of `data` to `fd`; false when the descriptor fails (a closed pipe, a full disk, a
// hung-up terminal). A descriptor that someone else made non-blocking is waited for.
bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written >= 0) {
            data.remove_prefix(static_cast<std::size_t>(written));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd wanted{fd, POLLOUT, 0};
            ::poll(&wanted, 1, -1);
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

std::string droppedNotice(std::uint64_t count) {
    return "quorvin: " + std::to_string(count) +
           (count == 1 ? " diagnostic line was" : " diagnostic lines were") +
           " dropped while standard output was not read\n";
}

// The lines on their way to standard output. Only a thread of its own ever writes to the
// descriptor, with ordinary blocking writes: the descriptor's flags are never changed, because
// its file description may be shared with the shell (a terminal) or with other processes, which
// must not find it non-blocking. The event loop only appends to a queue of bounded size.
class LineQueue {
public:
    static LineQueue& shared() {
        // Never destroyed: the writer may still be blocked in write() while the process exits.
        static LineQueue* queue = new LineQueue;
        return *queue;
    }

    // The writer is woken only when it sleeps, and after the lock is released: it then finds the
    // lock free instead of waking into it and blocking again.
    void push(std::string message) {
        const std::size_t cost = message.size() + kEntryOverhead;
        std::unique_lock lock(mutex);
        const bool full = waitingLines > 0 && (waitingLines >= kMaxWaitingLines ||
                                               waitingBytes + cost > kMaxWaitingBytes);
        if (!writerRunning || full) {
            ++droppedSinceLastLine;
            return;
        }
        entries.push_back(Entry{std::move(message), droppedSinceLastLine, true});
        droppedSinceLastLine = 0;
        waitingBytes += cost;
        ++waitingLines;
        ++accepted;
        const bool asleep = writerAsleep;
        lock.unlock();
        if (asleep) wake.notify_one();
    }

    bool flush(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex);
        const std::uint64_t target = accepted;
        return drained.wait_for(lock, timeout, [&] { return finished >= target; });
    }

    // At exit: every queued line, then the count of lines dropped since the last one, for at most
    // the exit timeout. What is still queued after that is counted as dropped, and the count goes
    // to standard error only if that can be done at once.
    void flushAtExit() {
        {
            std::lock_guard lock(mutex);
            if (droppedSinceLastLine > 0) {
                entries.push_back(Entry{{}, droppedSinceLastLine, false});
                droppedSinceLastLine = 0;
                ++accepted;
                wake.notify_one();
            }
        }
        if (flush(kExitFlushTimeout)) return;
        std::uint64_t lost = 0;
        {
            std::lock_guard lock(mutex);
            for (const Entry& entry : entries)
                lost += entry.droppedBefore + (entry.isLine ? 1 : 0);
        }
        pollfd wanted{STDERR_FILENO, POLLOUT, 0};
        if (lost > 0 && ::poll(&wanted, 1, 0) == 1 && (wanted.revents & POLLOUT)) {
            const std::string notice = droppedNotice(lost);
            [[maybe_unused]] const ssize_t ignored =
                ::write(STDERR_FILENO, notice.data(), notice.size());
        }
    }

private:
    struct Entry {
        std::string message;
        std::uint64_t droppedBefore;  // lines dropped between the previous entry and this one
        bool isLine;                  // false: only the count of dropped lines, at exit
    };

    // Lines waiting behind the one being written. Beyond this the reader has stalled (a pipe
    // holds another 64 KiB); one line is always taken when nothing waits, however long it is.
    static constexpr std::size_t kMaxWaitingLines = 1024;
    static constexpr std::size_t kMaxWaitingBytes = std::size_t{1} << 20;
    // What an entry costs besides its text: the queue's bookkeeping, the prefix, the line end.
    static constexpr std::size_t kEntryOverhead = 64;
    // Lines are escaped and written in pieces of this size, so that a huge line costs no copy.
    static constexpr std::size_t kWriteChunk = 64 * 1024;

    LineQueue() {
        try {
            std::thread([this] { run(); }).detach();
            writerRunning = true;
        } catch (const std::system_error&) {
            // No thread to be had: the lines are dropped rather than written from the event loop.
        }
        std::atexit([] { shared().flushAtExit(); });
    }

    void run() {
        std::string buffer;
        std::unique_lock lock(mutex);
        for (;;) {
            while (entries.empty()) {
                writerAsleep = true;
                wake.wait(lock);
                writerAsleep = false;
            }
            // A deque keeps its elements in place while others are appended.
            const Entry& entry = entries.front();
            if (entry.isLine) {
                waitingBytes -= entry.message.size() + kEntryOverhead;
                --waitingLines;
            }
            lock.unlock();
            if (entry.droppedBefore > 0) {
                writeAll(STDERR_FILENO, droppedNotice(entry.droppedBefore));
            }
            if (entry.isLine) writeLine(buffer, entry.message);
            lock.lock();
            entries.pop_front();
            ++finished;
            drained.notify_all();
        }
    }

    static void writeLine(std::string& buffer, std::string_view message) {
        buffer.assign(kPrefix, kPrefixSize);
        std::size_t position = 0;
        for (;;) {
            position = appendEscaped(buffer, message, position, kWriteChunk);
            const bool last = position == message.size();
            if (last) buffer.push_back('\n');
            // A failed write loses the rest of the line; the next line starts afresh.
            if (!writeAll(STDOUT_FILENO, buffer) || last) break;
            buffer.clear();
        }
        if (buffer.capacity() > 2 * kWriteChunk) std::string().swap(buffer);
    }

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable drained;
    std::deque<Entry> entries;  // the front one is being written
    bool writerAsleep = false;  // waiting for an entry: only then does it need waking
    std::size_t waitingBytes = 0;
    std::size_t waitingLines = 0;
    std::uint64_t droppedSinceLastLine = 0;
    std::uint64_t accepted = 0;
    std::uint64_t finished = 0;
    bool writerRunning = false;
};

}  // namespace

void debugLog(std::string message) {
    if (const auto sink = debugSink()) {
        sink(kPrefix + escapeControlCharacters(message));
        return;
    }
    LineQueue::shared().push(std::move(message));
}

bool flushDebugLog(std::chrono::milliseconds timeout) {
    return LineQueue::shared().flush(timeout);
}

std::string escapeControlCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendEscaped(out, text, 0, std::string::npos);
    return out;
}

void setDebugSink(std::function<void(std::string_view line)> sink) {
    debugSink() = std::move(sink);
}

std::string formatSize(double width, double height) {
    return "(" + formatNumber(width) + ", " + formatNumber(height) + ")";
}

}  // namespace quorvin::toolkit

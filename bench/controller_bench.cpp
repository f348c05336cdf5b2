// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Rebuild, key and paste costs of the controller, on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "quorvin/controller/AppDelegate.h"
#include "quorvin/platform/DebugLog.h"
#include "quorvin/toolkit/Application.h"
#include "quorvin/toolkit/KeyEvent.h"
#include "quorvin/toolkit/Pasteboard.h"
#include "tests/support/TestDriver.h"

namespace {

using quorvin::AppDelegate;
namespace toolkit = quorvin::toolkit;

// The diagnostic lines still get written and flushed, to a sink that discards them.
void logToNowhere() {
    static std::FILE* nowhere = std::fopen("/dev/null", "w");
    toolkit::setDebugSink([](std::string_view line) {
        std::fwrite(line.data(), 1, line.size(), nowhere);
        std::fputc('\n', nowhere);
        std::fflush(nowhere);
    });
}

std::shared_ptr<AppDelegate> launched() {
    auto delegate = std::make_shared<AppDelegate>();
    delegate->applicationDidFinishLaunching();
    toolkit::testing::wait(50);
    return delegate;
}

void BM_Rebuild(benchmark::State& state) {
    const auto delegate = launched();
    for (auto _ : state)
        delegate->handleResize();
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMicrosecond);

void BM_RebuildAndRepaint(benchmark::State& state) {
    const auto delegate = launched();
    for (auto _ : state) {
        delegate->handleResize();
        toolkit::testing::repaintNow(*delegate->window);
    }
}
BENCHMARK(BM_RebuildAndRepaint)->Unit(benchmark::kMicrosecond);

// One key and the frame it changes, at three lengths of the shown value: a key that enters a
// digit and Backspace in turn, with the changed views painted as the next frame would paint them.
// 0: 4 to 5 decimal digits; 1: 18 to 19 decimal digits; 2: the most negative value in binary,
// 63 to 64 digits.
void BM_KeyAndRefresh(benchmark::State& state) {
    const auto delegate = launched();
    const auto type = [&](const char* characters) {
        delegate->keyDown(toolkit::KeyEvent{std::string(characters), 0});
    };
    const char* digit = "5";
    switch (state.range(0)) {
    case 0:
        for (const char* key : {"1", "2", "3", "4"})
            type(key);
        break;
    case 1:
        for (char key : std::string("123456789012345678"))
            type(std::string(1, key).c_str());
        break;
    default:
        delegate->calculator.setValue(std::numeric_limits<std::int64_t>::min());
        delegate->currentSystem = quorvin::NumberSystem::binary;
        delegate->updateDisplay();
        digit = "0";
        break;
    }
    toolkit::testing::processDeferredDeletes();
    for (auto _ : state) {
        type("\x7F");
        toolkit::testing::processDeferredDeletes();
        type(digit);
        toolkit::testing::processDeferredDeletes();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeyAndRefresh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// Digits of every base, letters, separators, line ends, accents and emoji, in random order.
std::string mixedText(std::size_t bytes) {
    const char* pieces[] = {"0",        "1",  "7", "9",  "a",    "F",         "x",
                            " ",        ",",  "-", "\n", "\r\n", "e\xCC\x81", "\xF0\x9F\x91\x8D",
                            "\xC3\x9F", "\t", "Z"};
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::string text;
    text.reserve(bytes + 8);
    while (text.size() < bytes)
        text += pieces[pick(random)];
    return text;
}

void BM_Paste10MB(benchmark::State& state) {
    const auto delegate = launched();
    delegate->currentSystem = quorvin::NumberSystem::hexadecimal;
    const std::string text = mixedText(10 * 1024 * 1024);
    auto& pasteboard = toolkit::Pasteboard::generalPasteboard();
    pasteboard.clearContents();
    pasteboard.setString(text, toolkit::PasteboardType::string);
    for (auto _ : state) {
        delegate->pasteValue();
        toolkit::testing::repaintNow(*delegate->window);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Paste10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    toolkit::Application::sharedApplication();
    logToNowhere();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

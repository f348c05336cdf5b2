// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "quorvin/engine/Calculator.h"
#include "quorvin/engine/StandardCalculator.h"
#include "tests/engine/EngineLimits.h"
#include "tests/engine/EngineStep.h"
#include "tests/engine/ReferenceCalculator.h"

namespace quorvin {
namespace {

using test::EngineStep;
using test::kMax;
using test::kMin;
using test::ReferenceCalculator;

constexpr int kSteps = 1'000'000;

class SeededSource {
public:
    explicit SeededSource(std::uint64_t seed) : random(seed) {}
    unsigned below(unsigned bound) { return static_cast<unsigned>(random() % bound); }
    std::uint64_t bits() { return random(); }

private:
    std::mt19937_64 random;
};

// QUORVIN_SEED replays a reported failure.
std::uint64_t seedForThisRun() {
    if (const char* given = std::getenv("QUORVIN_SEED")) return std::strtoull(given, nullptr, 10);
    return std::random_device{}();
}

std::string describe(const EngineStep& step) {
    using Action = EngineStep::Action;
    std::ostringstream out;
    switch (step.action) {
    case Action::inputDigit: {
        out << "inputDigit(\"";
        for (const char c : step.text) {
            if (c >= ' ' && c <= '~') {
                out << c;
            } else {
                out << "\\x" << std::hex << (static_cast<unsigned>(c) & 0xFFu) << std::dec;
            }
        }
        out << "\", " << toString(step.system) << ')';
        break;
    }
    case Action::setValue: out << "setValue(" << step.value << ')'; break;
    case Action::setOperation: out << "setOperation(" << toString(step.operation) << ')'; break;
    case Action::executeOperation: out << "executeOperation()"; break;
    case Action::shiftLeft: out << "shiftLeft()"; break;
    case Action::shiftRight: out << "shiftRight()"; break;
    case Action::clear: out << "clear()"; break;
    case Action::backspace: out << "backspace(" << toString(step.system) << ')'; break;
    case Action::toggleSign: out << "toggleSign()"; break;
    }
    return out.str();
}

// A million random calls, played on the program's engine, on a plain Calculator (the text route)
// and on the reference model; after every call all three agree on the result of inputDigit,
// on the value and on the value's text in the call's base.
TEST(Differential, EngineAgreesWithTheReferenceModel) {
    const std::uint64_t seed = seedForThisRun();
    SCOPED_TRACE("seed " + std::to_string(seed) +
                 " (rerun with QUORVIN_SEED=" + std::to_string(seed) + ")");
    SeededSource source(seed);
    test::StepGenerator generator(source);

    StandardCalculator engine;
    Calculator textRoute;
    ReferenceCalculator reference;
    std::vector<EngineStep> steps;
    std::deque<EngineStep> recent;  // shown when a step disagrees
    int accepted = 0, rejected = 0, atMax = 0, atMin = 0;

    for (int played = 0; played < kSteps;) {
        steps.clear();
        generator.appendTo(steps);
        for (const auto& step : steps) {
            ++played;
            if (recent.size() == 40) recent.pop_front();
            recent.push_back(step);
            const bool expected = test::applyStep(reference, step);
            const bool fast = test::applyStep(engine, step);
            const bool text = test::applyStep(textRoute, step);
            const std::int64_t value = reference.value();
            const std::string formatted = formatValue(value, step.system);
            const std::string expectedText = ReferenceCalculator::format(value, step.system);
            if (fast != expected || text != expected || engine.value() != value ||
                textRoute.value() != value || formatted != expectedText) {
                std::string history;
                for (const auto& earlier : recent)
                    history += "\n  " + describe(earlier);
                FAIL() << "step " << played << " disagrees (inputDigit result/value): reference "
                       << expected << "/" << value << ", engine " << fast << "/" << engine.value()
                       << ", text route " << text << "/" << textRoute.value() << "; text of "
                       << value << ": formatValue \"" << formatted << "\", reference \""
                       << expectedText << "\"\nlast calls, oldest first:" << history;
            }
            if (step.action == EngineStep::Action::inputDigit) (expected ? accepted : rejected)++;
            atMax += value == kMax;
            atMin += value == kMin;
        }
    }
    // The session must reach the places it is biased toward, or it proves little.
    EXPECT_GT(accepted, kSteps / 10);
    EXPECT_GT(rejected, kSteps / 20);
    EXPECT_GT(atMax, 100);
    EXPECT_GT(atMin, 100);
}

// Text of the reference formatter parses in the engine exactly as in the reference parser, and
// random texts (mostly near-digits) are accepted or refused alike.
TEST(Differential, ParserAgreesWithTheReferenceParser) {
    const std::uint64_t seed = seedForThisRun();
    SCOPED_TRACE("seed " + std::to_string(seed));
    SeededSource source(seed);
    test::StepGenerator generator(source);
    for (int i = 0; i < 200'000; ++i) {
        const NumberSystem system = generator.pickSystem();
        const int radix = rawValue(system);
        const std::string text = i % 2 == 0
                                     ? ReferenceCalculator::format(generator.pickValue(), system)
                                     : generator.pickText(system);
        ASSERT_EQ(parseValue(text, radix), ReferenceCalculator::parse(text, radix))
            << '"' << text << "\" radix " << radix;
    }
}

}  // namespace
}  // namespace quorvin

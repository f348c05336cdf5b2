// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvin/engine/NumberSystem.h"
#include "quorvin/engine/Operation.h"
#include "tests/engine/EngineLimits.h"

namespace quorvin::test {

// One call on an engine, recorded so that the same session can be played on the engine and on the
// reference model. Only the fields the action needs are meaningful.
struct EngineStep {
    enum class Action {
        inputDigit,
        setValue,
        setOperation,
        executeOperation,
        shiftLeft,
        shiftRight,
        clear,
        backspace,
        toggleSign,
    };

    Action action = Action::clear;
    NumberSystem system = NumberSystem::decimal;
    Operation operation = Operation::none;
    std::int64_t value = 0;
    std::string text;
};

// Plays one step; the result is what inputDigit returned, and false for every other action.
// Works on anything with the engine's member functions.
template <class Engine>
bool applyStep(Engine& engine, const EngineStep& step) {
    using Action = EngineStep::Action;
    switch (step.action) {
    case Action::inputDigit: return engine.inputDigit(step.text, step.system);
    case Action::setValue: engine.setValue(step.value); break;
    case Action::setOperation: engine.setOperation(step.operation); break;
    case Action::executeOperation: engine.executeOperation(); break;
    case Action::shiftLeft: engine.shiftLeft(); break;
    case Action::shiftRight: engine.shiftRight(); break;
    case Action::clear: engine.clear(); break;
    case Action::backspace: engine.backspace(step.system); break;
    case Action::toggleSign: engine.toggleSign(); break;
    }
    return false;
}

// Random sessions biased toward the places where entry and arithmetic break: the range limits,
// values one digit short of them, long digit runs, sign characters, bytes that are not digits and
// multi-character digit texts. `Source` supplies below(n), a number in [0, n), and bits(), 64 bits:
// a seeded generator in the differential test, the fuzz input in the fuzzer.
template <class Source>
class StepGenerator {
public:
    explicit StepGenerator(Source& choices) : source(choices) {}

    // Appends one step, or a run of single-digit entries in one base.
    void appendTo(std::vector<EngineStep>& steps) {
        using Action = EngineStep::Action;
        EngineStep step;
        step.system = pickSystem();
        const unsigned choice = source.below(40);
        if (choice < 14) {
            step.action = Action::inputDigit;
            step.text = std::string(1, pickCharacter(step.system));
        } else if (choice < 18) {
            step.action = Action::inputDigit;
            step.text = pickText(step.system);
        } else if (choice < 21) {
            appendDigitRun(step.system, steps);
            return;
        } else if (choice < 25) {
            step.action = Action::setValue;
            step.value = pickValue();
        } else if (choice < 29) {
            step.action = Action::setOperation;
            step.operation = pickFrom(kOperations);
        } else if (choice < 32) {
            step.action = Action::executeOperation;
        } else if (choice < 34) {
            step.action = Action::shiftLeft;
        } else if (choice < 36) {
            step.action = Action::shiftRight;
        } else if (choice < 38) {
            step.action = Action::backspace;
        } else if (choice < 39) {
            step.action = Action::toggleSign;
        } else {
            step.action = Action::clear;
        }
        steps.push_back(std::move(step));
    }

    std::int64_t pickValue() {
        switch (source.below(6)) {
        case 0:
        case 1: return pickFrom(kEdgeValues);
        case 2: {
            // A power of two, one off it either way, either sign.
            const std::uint64_t power = std::uint64_t{1} << source.below(64);
            const std::uint64_t near = power + source.below(3) - 1;
            return static_cast<std::int64_t>(source.below(2) == 0 ? near : 0 - near);
        }
        case 3: return static_cast<std::int64_t>(source.below(64)) - 32;
        case 4: return static_cast<std::int64_t>(source.bits() >> source.below(64));
        default: return static_cast<std::int64_t>(source.bits());
        }
    }

    NumberSystem pickSystem() { return pickFrom(kSystems); }

    // Mostly digits of the base, its largest digit and 0 often; sometimes a character just outside
    // a digit range, a sign, a space or NUL, or any byte at all.
    char pickCharacter(NumberSystem system) {
        const auto radix = static_cast<unsigned>(rawValue(system));
        switch (source.below(10)) {
        case 0:
        case 1:
        case 2:
        case 3: return digitCharacter(source.below(radix));
        case 4: return digitCharacter(radix - 1);
        case 5: return '0';
        case 6:
        case 7: return kNearMisses[source.below(static_cast<unsigned>(kNearMisses.size()))];
        default: return static_cast<char>(source.below(256));
        }
    }

    std::string pickText(NumberSystem system) {
        switch (source.below(6)) {
        case 0: return "";
        case 1: return std::string(pickFrom(kNotAscii));
        case 2: {
            // Digits of the base behind a sign or a run of leading zeros.
            const auto radix = static_cast<unsigned>(rawValue(system));
            std::string text(source.below(3) == 0 ? "-" : source.below(2) == 0 ? "+" : "");
            text.append(source.below(40), '0');
            const unsigned length = 1 + source.below(25);
            for (unsigned i = 0; i < length; ++i)
                text += digitCharacter(source.below(radix));
            return text;
        }
        default: {
            std::string text;
            const unsigned length = 2 + source.below(20);
            for (unsigned i = 0; i < length; ++i)
                text += pickCharacter(system);
            return text;
        }
        }
    }

private:
    static constexpr std::array<std::int64_t, 24> kEdgeValues{
        0,
        1,
        -1,
        2,
        -2,
        kMin,
        kMin + 1,
        kMax,
        kMax - 1,
        kMax / 2,
        kMin / 2,
        kMax / 10,
        kMin / 10,
        kMax / 10 - 1,
        kMin / 10 + 1,
        kMax / 16,
        kMax / 16 + 1,
        0x0FFFFFFFFFFFFFFF,
        0x00FFFFFFFFFFFFFF,
        0x0100000000000000,
        4294967296,
        -4294967296,
        10,
        16,
    };
    static constexpr std::array kOperations{Operation::add,      Operation::subtract,
                                            Operation::multiply, Operation::divide,
                                            Operation::modulo,   Operation::none};
    // Neighbours of the digit ranges, both signs, the "x" of a prefix, a space and NUL.
    static constexpr std::string_view kNearMisses{"+-/:@GZ[`gz{ xX\0", 16};
    static constexpr std::array<std::string_view, 5> kNotAscii{
        "\xC2\xB9",      // superscript one
        "\xD9\xA1",      // Arabic-Indic digit one
        "\xEF\xBC\x91",  // fullwidth digit one
        "1\xE2\x80\x8B"
        "0",  // digits around a zero-width space
        "\xFF",
    };

    template <class T, std::size_t N>
    const T& pickFrom(const std::array<T, N>& items) {
        return items[source.below(static_cast<unsigned>(N))];
    }

    // Letters come in either case.
    char digitCharacter(unsigned worth) {
        if (worth < 10) return static_cast<char>('0' + worth);
        return static_cast<char>((source.below(2) == 0 ? 'a' : 'A') + worth - 10);
    }

    void appendDigitRun(NumberSystem system, std::vector<EngineStep>& steps) {
        const unsigned length = 1 + source.below(70);
        for (unsigned i = 0; i < length; ++i) {
            EngineStep step;
            step.action = EngineStep::Action::inputDigit;
            step.system = system;
            const auto radix = static_cast<unsigned>(rawValue(system));
            step.text = std::string(1, source.below(4) == 0 ? digitCharacter(radix - 1)
                                                            : digitCharacter(source.below(radix)));
            steps.push_back(std::move(step));
        }
    }

    Source& source;
};

}  // namespace quorvin::test

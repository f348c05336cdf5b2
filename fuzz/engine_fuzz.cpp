// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// libFuzzer target for the engine. The input is read three ways: as text for the parser in every
// radix, as a value whose text must format and parse back, and as a session of engine calls that
// the program's engine, a plain Calculator (the text route) and the reference model must agree
// on.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvin/engine/Calculator.h"
#include "quorvin/engine/StandardCalculator.h"
#include "tests/engine/EngineLimits.h"
#include "tests/engine/EngineStep.h"
#include "tests/engine/ReferenceCalculator.h"

namespace {

using quorvin::Calculator;
using quorvin::NumberSystem;
using quorvin::test::kSystems;
using quorvin::test::ReferenceCalculator;

void check(bool holds) {
    if (!holds) __builtin_trap();
}

// Choices taken from the fuzz input; once it runs out every choice is 0.
class ByteSource {
public:
    ByteSource(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
    bool exhausted() const { return at == size; }
    unsigned below(unsigned bound) { return exhausted() ? 0 : data[at++] % bound; }
    std::uint64_t bits() {
        std::uint64_t result = 0;
        for (int i = 0; i < 8 && !exhausted(); ++i)
            result = result << 8 | data[at++];
        return result;
    }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

void checkParsing(std::string_view text) {
    for (const NumberSystem system : kSystems) {
        const int radix = quorvin::rawValue(system);
        const auto parsed = quorvin::parseValue(text, radix);
        check(parsed == ReferenceCalculator::parse(text, radix));
    }
}

// Every value formats like the reference and parses back, except a negative value's hexadecimal
// text, which is out of range.
void checkRoundTrip(std::int64_t value) {
    for (const NumberSystem system : kSystems) {
        const std::string text = quorvin::formatValue(value, system);
        check(text == ReferenceCalculator::format(value, system));
        const auto expected =
            system == NumberSystem::hexadecimal && value < 0 ? std::nullopt : std::optional(value);
        check(quorvin::parseValue(text, quorvin::rawValue(system)) == expected);
    }
}

void checkSession(const std::uint8_t* data, std::size_t size) {
    ByteSource source(data, size);
    quorvin::test::StepGenerator generator(source);
    quorvin::StandardCalculator engine;
    Calculator textRoute;
    ReferenceCalculator reference;
    std::vector<quorvin::test::EngineStep> steps;
    while (!source.exhausted()) {
        steps.clear();
        generator.appendTo(steps);
        for (const auto& step : steps) {
            const bool expected = quorvin::test::applyStep(reference, step);
            check(quorvin::test::applyStep(engine, step) == expected);
            check(quorvin::test::applyStep(textRoute, step) == expected);
            check(engine.value() == reference.value());
            check(textRoute.value() == reference.value());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    checkParsing(std::string_view(reinterpret_cast<const char*>(data), size));
    std::uint64_t bits = 0;
    if (size > 0) std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    checkRoundTrip(static_cast<std::int64_t>(bits));
    checkSession(data, size);
    return 0;
}

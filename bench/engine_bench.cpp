// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

// Engine benchmarks. Paste types one character per inputDigit, so the single-character entry is the
// hot path: it is measured on the program's engine (StandardCalculator) and, as its baseline, on a
// plain Calculator, which reads the value's text through convertToString. Formatting and parsing
// are measured next to std::to_chars and std::from_chars on the same values, in the same run, as
// the baseline.
#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include <benchmark/benchmark.h>

#include "quorvin/engine/Calculator.h"
#include "quorvin/engine/StandardCalculator.h"

namespace {

using quorvin::Calculator;
using quorvin::NumberSystem;
using quorvin::Operation;
using quorvin::StandardCalculator;

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// Mixed lengths and signs, so no one digit count dominates.
constexpr std::array<std::int64_t, 16> kValues{
    0,           7,           -5,       255,      65535, -65536, 4294967296, 1234567890,
    -1234567890, 98765432101, kMax / 3, kMin / 7, kMax,  kMin,   -1,         123456789012345678,
};

NumberSystem systemOf(const benchmark::State& state) {
    return static_cast<NumberSystem>(state.range(0));
}

// Hides the dynamic type, so calls are virtual as they are from the controller.
Calculator* opaque(Calculator& calculator) {
    Calculator* pointer = &calculator;
    benchmark::DoNotOptimize(pointer);
    return pointer;
}

// Each iteration appends one "1" to a multi-digit entry; the entry is cleared just before it would
// leave the range, so every digit is accepted and the state repeats.
template <class Engine>
void InputDigitAccepted(benchmark::State& state) {
    const NumberSystem system = systemOf(state);
    const int digitsThatFit = system == NumberSystem::binary    ? 63
                              : system == NumberSystem::decimal ? 18
                                                                : 15;
    Engine storage;
    Calculator* calculator = opaque(storage);
    int digits = 0;
    for (auto _ : state) {
        if (digits == digitsThatFit) {
            calculator->clear();
            digits = 0;
        }
        benchmark::DoNotOptimize(calculator->inputDigit("1", system));
        ++digits;
    }
    if (calculator->value() == 0) state.SkipWithError("no digit was accepted");
}

// The entry is at its limit: the digit is valid but does not fit, and nothing changes.
template <class Engine>
void InputDigitRejectedAtLimit(benchmark::State& state) {
    const NumberSystem system = systemOf(state);
    Engine storage;
    Calculator* calculator = opaque(storage);
    calculator->setValue(kMax);
    for (auto _ : state)
        benchmark::DoNotOptimize(calculator->inputDigit("1", system));
    if (calculator->value() != kMax) state.SkipWithError("a digit was accepted");
}

// A character that is no digit of the base.
template <class Engine>
void InputDigitRejectedNotADigit(benchmark::State& state) {
    const NumberSystem system = systemOf(state);
    Engine storage;
    Calculator* calculator = opaque(storage);
    calculator->setValue(1234);
    for (auto _ : state)
        benchmark::DoNotOptimize(calculator->inputDigit("G", system));
}

void FormatValue(benchmark::State& state) {
    const NumberSystem system = systemOf(state);
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = quorvin::formatValue(kValues[i++ % kValues.size()], system);
        benchmark::DoNotOptimize(text);
    }
}

// What formatValue does, into a caller's buffer: signed for sign and magnitude, unsigned for the
// hexadecimal bit pattern (without the upper-casing).
void ToChars(benchmark::State& state) {
    const int radix = static_cast<int>(state.range(0));
    std::array<char, 66> buffer;
    std::size_t i = 0;
    for (auto _ : state) {
        const std::int64_t value = kValues[i++ % kValues.size()];
        const auto result =
            radix == 16 ? std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                        static_cast<std::uint64_t>(value), radix)
                        : std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, radix);
        benchmark::DoNotOptimize(result.ptr);
        benchmark::ClobberMemory();
    }
}

std::vector<std::string> decimalTexts() {
    std::vector<std::string> texts;
    for (const std::int64_t value : kValues)
        texts.push_back(std::to_string(value));
    return texts;
}

void ParseValueDecimal(benchmark::State& state) {
    const std::vector<std::string> texts = decimalTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quorvin::parseValue(texts[i++ % texts.size()], 10));
    }
}

void FromCharsDecimal(benchmark::State& state) {
    const std::vector<std::string> texts = decimalTexts();
    std::size_t i = 0;
    for (auto _ : state) {
        const std::string& text = texts[i++ % texts.size()];
        std::int64_t value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(result.ec);
    }
}

// setOperation and executeOperation with fresh operands each time, as after "a op b =".
void ExecuteOperation(benchmark::State& state) {
    const auto op = static_cast<Operation>(state.range(0));
    Calculator storage;
    Calculator* calculator = opaque(storage);
    std::size_t i = 0;
    for (auto _ : state) {
        calculator->setValue(kValues[i++ % kValues.size()]);
        calculator->setOperation(op);
        calculator->setValue(kValues[i % kValues.size()] | 1);
        calculator->executeOperation();
        benchmark::DoNotOptimize(calculator->value());
    }
    state.SetLabel(std::string(quorvin::toString(op)));
}

void Bases(benchmark::internal::Benchmark* benchmark) {
    for (const int radix : {2, 10, 16})
        benchmark->Arg(radix);
    benchmark->ArgName("radix");
}

void Operations(benchmark::internal::Benchmark* benchmark) {
    for (const Operation op : {Operation::add, Operation::subtract, Operation::multiply,
                               Operation::divide, Operation::modulo}) {
        benchmark->Arg(static_cast<int>(op));
    }
}

BENCHMARK_TEMPLATE(InputDigitAccepted, StandardCalculator)->Apply(Bases);
BENCHMARK_TEMPLATE(InputDigitAccepted, Calculator)->Apply(Bases);
BENCHMARK_TEMPLATE(InputDigitRejectedAtLimit, StandardCalculator)->Apply(Bases);
BENCHMARK_TEMPLATE(InputDigitRejectedAtLimit, Calculator)->Apply(Bases);
BENCHMARK_TEMPLATE(InputDigitRejectedNotADigit, StandardCalculator)->Apply(Bases);
BENCHMARK_TEMPLATE(InputDigitRejectedNotADigit, Calculator)->Apply(Bases);
BENCHMARK(FormatValue)->Apply(Bases);
BENCHMARK(ToChars)->Apply(Bases);
BENCHMARK(ParseValueDecimal);
BENCHMARK(FromCharsDecimal);
BENCHMARK(ExecuteOperation)->Apply(Operations);

}  // namespace

BENCHMARK_MAIN();

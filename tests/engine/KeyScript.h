// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "quorvin/engine/Calculator.h"

namespace quorvin::test {

// One key of a script and the value expected after it. Keys: "+", "-", "*", "/", "%" and "none"
// choose an operation, "=" executes, "<<" and ">>" shift, "+/-" toggles the sign, "<-" is
// backspace, "C" clears, "set N" writes the value N; anything else is typed one character per
// inputDigit in the script's base.
struct Key {
    std::string_view key;
    std::int64_t value;
};

struct KeyScript {
    std::string_view name;
    NumberSystem system;
    std::vector<Key> keys;
};

inline void pressKey(Calculator& calculator, std::string_view key, NumberSystem system) {
    struct Command {
        std::string_view key;
        void (*run)(Calculator&, NumberSystem);
    };
    static constexpr Command kCommands[] = {
        {"+", [](Calculator& c, NumberSystem) { c.setOperation(Operation::add); }},
        {"-", [](Calculator& c, NumberSystem) { c.setOperation(Operation::subtract); }},
        {"*", [](Calculator& c, NumberSystem) { c.setOperation(Operation::multiply); }},
        {"/", [](Calculator& c, NumberSystem) { c.setOperation(Operation::divide); }},
        {"%", [](Calculator& c, NumberSystem) { c.setOperation(Operation::modulo); }},
        {"none", [](Calculator& c, NumberSystem) { c.setOperation(Operation::none); }},
        {"=", [](Calculator& c, NumberSystem) { c.executeOperation(); }},
        {"<<", [](Calculator& c, NumberSystem) { c.shiftLeft(); }},
        {">>", [](Calculator& c, NumberSystem) { c.shiftRight(); }},
        {"+/-", [](Calculator& c, NumberSystem) { c.toggleSign(); }},
        {"<-", [](Calculator& c, NumberSystem s) { c.backspace(s); }},
        {"C", [](Calculator& c, NumberSystem) { c.clear(); }},
    };
    for (const auto& command : kCommands) {
        if (command.key == key) return command.run(calculator, system);
    }
    if (key.starts_with("set ")) {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(key.data() + 4, key.data() + key.size(), value);
        ASSERT_TRUE(error == std::errc{} && end == key.data() + key.size()) << key;
        return calculator.setValue(value);
    }
    for (std::size_t i = 0; i < key.size(); ++i)
        calculator.inputDigit(key.substr(i, 1), system);
}

// Plays the script on a new engine and checks the value after every key.
inline void expectValues(const KeyScript& script) {
    SCOPED_TRACE(script.name);
    Calculator calculator;
    ASSERT_EQ(calculator.value(), 0) << "new engine";
    std::string played;
    for (const auto& [key, value] : script.keys) {
        played += played.empty() ? "" : " ";
        played += key;
        pressKey(calculator, key, script.system);
        ASSERT_EQ(calculator.value(), value) << "after " << played;
    }
}

}  // namespace quorvin::test

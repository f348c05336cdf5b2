// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include <climits>
#include <set>
#include <string_view>

#include <gtest/gtest.h>

#include "quorvin/engine/NumberSystem.h"
#include "quorvin/engine/Operation.h"

namespace quorvin {
namespace {

struct SystemCase {
    NumberSystem system;
    int rawValue;
    std::string_view text;
};
constexpr SystemCase kSystemCases[] = {
    {NumberSystem::binary, 2, "binary"},
    {NumberSystem::decimal, 10, "decimal"},
    {NumberSystem::hexadecimal, 16, "hexadecimal"},
};

TEST(NumberSystem, RawValueIsTheRadixAndNamesTheCase) {
    for (const auto& c : kSystemCases) {
        EXPECT_EQ(rawValue(c.system), c.rawValue);
        EXPECT_EQ(numberSystemFromRawValue(c.rawValue), c.system) << c.rawValue;
        EXPECT_EQ(numberSystemFromRawValue(rawValue(c.system)), c.system) << c.text;
        EXPECT_EQ(toString(c.system), c.text);
    }
}

TEST(NumberSystem, OtherRawValuesNameNoSystem) {
    for (const int raw : {0, 8, 36, -2, 1, 3, 9, 11, 15, 17, -10, -16, INT_MIN, INT_MAX}) {
        EXPECT_EQ(numberSystemFromRawValue(raw), std::nullopt) << raw;
    }
}

struct OperationCase {
    Operation operation;
    std::string_view text;
};
constexpr OperationCase kOperationCases[] = {
    {Operation::add, "add"},           {Operation::subtract, "subtract"},
    {Operation::multiply, "multiply"}, {Operation::divide, "divide"},
    {Operation::modulo, "modulo"},     {Operation::none, "none"},
};

TEST(Operation, PrintsItsCaseName) {
    for (const auto& c : kOperationCases)
        EXPECT_EQ(toString(c.operation), c.text);
}

TEST(Operation, NoneIsARealCaseEqualOnlyToItself) {
    std::set<std::string_view> names;
    for (const auto& c : kOperationCases) {
        EXPECT_EQ(c.operation == Operation::none, c.text == "none") << c.text;
        names.insert(toString(c.operation));
    }
    EXPECT_EQ(names.size(), std::size(kOperationCases));
}

}  // namespace
}  // namespace quorvin

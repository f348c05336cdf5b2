# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Turns data/keypad.tsv into a C++ header of constants for the tests and the start-up floor, and
# offers it as the interface library quorvin_keypad_data. The program itself does not use it.
function(quorvin_keypad_data)
  set(source ${PROJECT_SOURCE_DIR}/data/keypad.tsv)
  set(header ${PROJECT_BINARY_DIR}/generated/keypad/KeypadData.h)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(STRINGS ${source} lines ENCODING UTF-8)
  set(keypad "")
  set(baserow "")
  set(colours "")
  set(titleColours "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(line MATCHES "[;\"\\\\]")
      message(FATAL_ERROR "${source}: no field may hold ; \" or \\: ${line}")
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    list(POP_FRONT fields kind)
    list(LENGTH fields count)
    if(kind STREQUAL "keypad" OR kind STREQUAL "baserow")
      if(NOT count EQUAL 5)
        message(FATAL_ERROR "${source}: a ${kind} line holds five titles: ${line}")
      endif()
      list(JOIN fields "\", \"" joined)
      if(kind STREQUAL "keypad")
        string(APPEND keypad "    {\"${joined}\"},\n")
      else()
        set(baserow "\"${joined}\"")
      endif()
    elseif(kind STREQUAL "colour" AND count GREATER_EQUAL 5)
      list(POP_FRONT fields name red green blue alpha)
      string(APPEND colours "    Colour{\"${name}\", ${red}, ${green}, ${blue}, ${alpha}},\n")
      foreach(title IN LISTS fields)
        string(APPEND titleColours "    TitleColour{\"${title}\", \"${name}\"},\n")
      endforeach()
    else()
      message(FATAL_ERROR "${source}: unknown line: ${line}")
    endif()
  endforeach()
  set(text "// Made by CMake from data/keypad.tsv; edit that file instead.
#pragma once

#include <array>
#include <string_view>

namespace quorvin::keypad_data {

struct Colour {
    std::string_view name;
    double red, green, blue, alpha;
};

struct TitleColour {
    std::string_view title;
    std::string_view colour;
};

// Row 0 is the top row; the double-wide \"=\" fills the last two columns of the last row.
inline constexpr std::array<std::array<std::string_view, 5>, 6> kKeypad{{
${keypad}}};

inline constexpr std::array<std::string_view, 5> kBaseRow{${baserow}};

inline constexpr std::array kColours{
${colours}};

// The colour of each button at rest, by title.
inline constexpr std::array kTitleColours{
${titleColours}};

// The palette colour called `name`; an unknown name is a compile-time error where it is constant.
constexpr const Colour& colour(std::string_view name) {
    for (const auto& entry : kColours) {
        if (entry.name == name) return entry;
    }
    throw \"no such colour\";
}

}  // namespace quorvin::keypad_data
")
  file(CONFIGURE OUTPUT ${header} CONTENT "${text}" @ONLY)
  add_library(quorvin_keypad_data INTERFACE)
  target_include_directories(quorvin_keypad_data INTERFACE ${PROJECT_BINARY_DIR}/generated/keypad)
endfunction()

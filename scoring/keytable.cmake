# Turns the scoring key CSV into a C++ table, so the program never reads the key at run time.
#   cmake -DCSV=scoring-key.csv -DOUT=scoringkey_table.cpp -P keytable.cmake
# Any line that is not "scale,item,keyed" with a known scale, an item 1-480 and keyed 1 or 2
# stops the build with the file, the line number and what is wrong.

cmake_minimum_required(VERSION 3.21)

# The fixed scale order of scales.h; the generated file checks at compile time that they agree.
set(scale_codes Do Cs Sy Sp Sa Wb Re So Sc To Gi Cm Ac Ai Ie Py Fx Fe)
set(expected_entries 694)
set(header "scale,item,keyed")

if(NOT DEFINED CSV OR NOT DEFINED OUT)
  message(FATAL_ERROR "usage: cmake -DCSV=<key.csv> -DOUT=<table.cpp> -P keytable.cmake")
endif()
if(NOT EXISTS "${CSV}")
  message(FATAL_ERROR "scoring key ${CSV} not found")
endif()

function(fail line_number what)
  message(FATAL_ERROR "${CSV}:${line_number}: ${what}")
endfunction()

file(READ "${CSV}" text)
string(REPLACE "\r" "" text "${text}")
# A semicolon would split a line in two as a CMake list; mark it so the line is reported whole.
string(REPLACE ";" "<semicolon>" text "${text}")
string(REGEX REPLACE "\n+$" "" text "${text}")
string(REPLACE "\n" ";" lines "${text}")

set(rows "")
set(line_number 0)
set(entries 0)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(line_number EQUAL 1)
    if(NOT line STREQUAL header)
      fail(${line_number} "the first line must be \"${header}\" (found \"${line}\")")
    endif()
    continue()
  endif()

  string(REPLACE "," ";" fields "${line}")
  list(LENGTH fields field_count)
  if(NOT field_count EQUAL 3)
    fail(${line_number} "expected 3 fields scale,item,keyed, found ${field_count} in \"${line}\"")
  endif()
  list(GET fields 0 scale)
  list(GET fields 1 item)
  list(GET fields 2 keyed)
  string(STRIP "${scale}" scale)
  string(STRIP "${item}" item)
  string(STRIP "${keyed}" keyed)

  list(FIND scale_codes "${scale}" scale_index)
  if(scale_index LESS 0)
    list(JOIN scale_codes " " known)
    fail(${line_number} "unknown scale \"${scale}\" (scales: ${known})")
  endif()
  if(NOT item MATCHES "^[1-9][0-9]?[0-9]?$" OR item GREATER 480)
    fail(${line_number} "item must be a number 1-480, found \"${item}\"")
  endif()
  if(NOT keyed MATCHES "^[12]$")
    fail(${line_number} "keyed answer must be 1 or 2, found \"${keyed}\"")
  endif()

  math(EXPR entries "${entries} + 1")
  string(APPEND rows "    {${scale_index}, ${item}, ${keyed}}, // ${scale}\n")
endforeach()

if(line_number EQUAL 0)
  fail(1 "the file is empty")
endif()
if(NOT entries EQUAL expected_entries)
  fail(${line_number} "the key has ${entries} entries, expected ${expected_entries}")
endif()

set(code_list "")
foreach(code IN LISTS scale_codes)
  string(APPEND code_list "\"${code}\", ")
endforeach()

file(WRITE "${OUT}.tmp" "// Generated at build time from assets/scoring-key.csv by scoring/keytable.cmake.
// Edit the CSV, not this file.
#include \"scoring/scales.h\"
#include \"scoring/scoringkey.h\"

#include <string_view>

namespace hov {

namespace {

const KeyEntry kScoringKey[${expected_entries}] = {
${rows}};

// The table numbers scales in the order keytable.cmake knows; it must be the program's order.
constexpr std::string_view kTableScaleOrder[] = {${code_list}};
static_assert(std::size(kTableScaleOrder) == kScaleCount);
constexpr bool sameScaleOrder() {
    for (int i = 0; i < kScaleCount; ++i) {
        if (kTableScaleOrder[i] != kScales[i].code)
            return false;
    }
    return true;
}
static_assert(sameScaleOrder(), \"keytable.cmake and scales.h disagree on the scale order\");
static_assert(std::size(kScoringKey) == kScoringKeySize);

} // namespace

std::span<const KeyEntry> scoringKey() { return kScoringKey; }

} // namespace hov
")
file(RENAME "${OUT}.tmp" "${OUT}")

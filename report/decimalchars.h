#pragma once

#include <charconv>

// std::to_chars and std::from_chars for doubles, as the C++ standard words them.
// Where the standard library lacks them (the web build's libc++), the same
// results come from the C library's exact printf and strtod.
namespace DecimalChars {

// In the given format with the given number of decimals.
std::to_chars_result toChars(char *first, char *last, double value, std::chars_format format, int precision);
// The shortest text that reads back as the same value, in scientific format.
std::to_chars_result toShortestScientific(char *first, char *last, double value);
// A decimal number in general format; no leading blank, sign, "inf" or "nan" is given to it.
std::from_chars_result fromChars(const char *first, const char *last, double &value);

} // namespace DecimalChars

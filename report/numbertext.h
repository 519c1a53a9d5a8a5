#pragma once

#include <string>

// Number texts that ignore the C library's locale: the point is the decimal
// separator even when a German desktop sets LC_NUMERIC.
namespace NumberText {

// Like printf's "%.<decimals>f" in the "C" locale, a negative zero "-0.00" included,
// except that every NaN reads "nan"; infinities read "inf" and "-inf".
std::string printfFixed(double value, int decimals);

// As printfFixed, but a value that rounds to zero carries no sign: for the screen.
std::string fixed(double value, int decimals);

// Like printf's "%.<decimals>e" in the "C" locale ("1.000e+300"), with the
// same spelling of non-finite values; for numbers too long to show in full.
std::string scientific(double value, int decimals);

// The one rule for a number that must fit a text buffer: its fixed-point text
// when that has at most room characters, else the scientific one with
// scientificDecimals decimals or, when that is negative, the shortest that
// reads back to the same value.
std::string bounded(std::string fixedText, double value, int room, int scientificDecimals);

// Like printf's "%i".
std::string integer(long long value);

} // namespace NumberText

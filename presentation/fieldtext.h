#pragma once

#include <string>
#include <string_view>

// Field texts to numbers and back, the way the C library's atoi, atof and printf
// do it in the "C" locale, whatever locale the desktop has set: the point is the
// only decimal separator, and no thousands separators are written or read.
// Texts are UTF-8; only their leading ASCII number counts.
namespace FieldText {

// Leading white space, an optional sign, digits; stops at the first other
// character, 0 without digits. Values beyond the int range clamp to INT_MIN/INT_MAX.
int toInt(std::string_view text);

// As toInt, plus one decimal point and an exponent ("5e-6"). "nan" and "inf" are
// not numbers here (0). A magnitude too large for a double gives the largest
// finite double with the sign, so every result is finite and shows again as text
// that reads back to the same value; too small a magnitude gives zero.
double toDouble(std::string_view text);

// "%i".
std::string formatInt(int value);

// "%.<decimals>f" when that fits the text buffer; larger magnitudes are shown in
// the shortest scientific text that reads back to the same value ("1e+300").
std::string formatFixed(double value, int decimals);

} // namespace FieldText

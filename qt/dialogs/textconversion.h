#pragma once

#include <QString>

// Field texts to numbers and back, the way the C library's atoi, atof and printf
// do it in the "C" locale, whatever locale the desktop has set: the point is the
// only decimal separator, and no thousands separators are written or read.
namespace TextConversion {

// The shared text buffer holds this many characters, the terminator included:
// a field contributes at most BufferSize - 1 characters, and no text shown is longer.
constexpr int BufferSize = 300;

// Leading white space, an optional sign, digits; stops at the first other
// character, 0 without digits. Values beyond the int range clamp to INT_MIN/INT_MAX.
int toInt(const QString &text);

// As toInt, plus one decimal point and an exponent ("5e-6"). "nan" and "inf" are
// not numbers here (0). A magnitude too large for a double gives the largest
// finite double with the sign, so every result is finite and shows again as text
// that reads back to the same value; too small a magnitude gives zero.
double toDouble(const QString &text);

// "%i".
QString formatInt(int value);

// "%.<decimals>f" when that fits the buffer; larger magnitudes, whose fixed text
// would need more than BufferSize - 1 characters, are shown in the shortest
// scientific text that reads back to the same value ("1e+300").
QString formatFixed(double value, int decimals);

} // namespace TextConversion

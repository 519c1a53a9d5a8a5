#include "textconversion.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <locale.h>
#include <stdlib.h>
#include <string>
#include <string_view>

namespace {

// The text up to its first character that no decimal number is made of. What is
// left gives the C library no hex, "nan" or "inf" to read, and holds only ASCII.
std::string decimalCharacters(const QString &text)
{
    constexpr std::string_view allowed = " \t\n\v\f\r+-.0123456789eE";
    std::string part;
    for (const QChar c : text) {
        if (c.unicode() > 0x7F || allowed.find(static_cast<char>(c.unicode())) == allowed.npos)
            break;
        part += static_cast<char>(c.unicode());
    }
    return part;
}

locale_t cLocale()
{
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

} // namespace

namespace TextConversion {

int toInt(const QString &text)
{
    // strtoll saturates at the long long range, beyond the int range.
    const long long value = ::strtoll_l(decimalCharacters(text).c_str(), nullptr, 10, cLocale());
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double toDouble(const QString &text)
{
    const double value = ::strtod_l(decimalCharacters(text).c_str(), nullptr, cLocale());
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

QString formatInt(int value)
{
    return QString::number(value);
}

QString formatFixed(double value, int decimals)
{
    // Room for the fixed text of any double with up to 100 decimals.
    std::array<char, 420> buffer{};
    const int places = std::clamp(decimals, 0, 100);
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed, places);
    if (result.ec != std::errc{} || result.ptr - buffer.data() > BufferSize - 1)
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                               std::chars_format::scientific);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

} // namespace TextConversion

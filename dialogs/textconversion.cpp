#include "textconversion.h"

#include <array>
#include <cfloat>
#include <charconv>
#include <climits>
#include <string>

namespace {

bool isBlank(QChar c)
{
    // The C library's isspace in the "C" locale.
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Skips leading blanks and an optional sign; returns true for a minus sign.
bool skipBlanksAndSign(const QString &text, qsizetype &i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        return text[i++] == u'-';
    return false;
}

qsizetype appendDigits(const QString &text, qsizetype &i, std::string &out)
{
    const qsizetype start = i;
    while (i < text.size() && isDigit(text[i]))
        out += static_cast<char>(text[i++].unicode());
    return i - start;
}

// Whether a decimal text that from_chars found out of range is too large (rather
// than too small): its order of magnitude decides, which is far from zero either way.
bool tooLarge(const std::string &number)
{
    long long magnitude = 0;
    const std::size_t exponentAt = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string::npos)
        return false;
    magnitude = firstNonZero < point ? static_cast<long long>(point - firstNonZero) - 1
                                     : -static_cast<long long>(firstNonZero - point);
    if (exponentAt != std::string::npos) {
        long long exponent = 0;
        std::size_t j = exponentAt + 1;
        const bool negative = j < number.size() && number[j] == '-';
        if (j < number.size() && (number[j] == '-' || number[j] == '+'))
            ++j;
        // Saturates: beyond a million the answer cannot change.
        for (; j < number.size() && exponent < 1000000; ++j)
            exponent = exponent * 10 + (number[j] - '0');
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude > 0;
}

} // namespace

namespace TextConversion {

int toInt(const QString &text)
{
    qsizetype i = 0;
    const bool negative = skipBlanksAndSign(text, i);
    std::string number = negative ? "-" : "";
    if (appendDigits(text, i, number) == 0)
        return 0;
    int value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return negative ? INT_MIN : INT_MAX;
    return value;
}

double toDouble(const QString &text)
{
    qsizetype i = 0;
    const bool negative = skipBlanksAndSign(text, i);
    std::string number;
    qsizetype digits = appendDigits(text, i, number);
    if (i < text.size() && text[i] == u'.') {
        number += '.';
        ++i;
        digits += appendDigits(text, i, number);
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only with at least one digit: "5e" and "5e-" read as 5.
    if (i + 1 < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (text[j] == u'+' || text[j] == u'-')
            exponent += static_cast<char>(text[j++].unicode());
        if (appendDigits(text, j, exponent) > 0)
            number += exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        value = tooLarge(number) ? DBL_MAX : 0.0;
    return negative ? -value : value;
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

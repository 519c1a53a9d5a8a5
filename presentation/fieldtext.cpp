#include "fieldtext.h"

#include "decimalchars.h"

#include "numbertext.h"
#include "textbuffer.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace {

constexpr std::string_view blanks = " \t\n\v\f\r";

// The text after its leading white space and sign; negative tells the sign.
std::string_view unsignedPart(std::string_view text, bool &negative)
{
    const auto start = text.find_first_not_of(blanks);
    text.remove_prefix(start == text.npos ? text.size() : start);
    negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return text;
}

// Whether a decimal number too far out of range for a double is large, from
// where its first significant digit stands and its exponent.
bool tooLarge(std::string_view number)
{
    const auto point = std::min(number.find_first_of(".eE"), number.size());
    const auto firstDigit = number.find_first_of("123456789");
    long long exponent = 0;
    if (const auto e = number.find_first_of("eE"); e != number.npos) {
        std::string_view digits = number.substr(e + 1);
        const bool below = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
            digits.remove_prefix(1);
        // Any exponent beyond half of long long counts as far out as one can get, leaving room to add the position.
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        const long long far = LLONG_MAX / 2;
        exponent = error == std::errc::result_out_of_range ? far : std::clamp(exponent, -far, far);
        exponent = below ? -exponent : exponent;
    }
    // Digits before the point from the first significant one, negative after it.
    const long long position = firstDigit < point ? static_cast<long long>(point - firstDigit)
                                                  : -static_cast<long long>(firstDigit - point);
    return position + exponent > 0;
}

} // namespace

namespace FieldText {

int toInt(std::string_view text)
{
    bool negative = false;
    const std::string_view digits = unsignedPart(text, negative);
    // from_chars would take a second sign ("+-2"), which atoi does not.
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return 0;
    long long value = 0;
    const auto error = std::from_chars(digits.data(), digits.data() + digits.size(), value).ec;
    if (error == std::errc::result_out_of_range)
        return negative ? INT_MIN : INT_MAX;
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double toDouble(std::string_view text)
{
    bool negative = false;
    std::string_view number = unsignedPart(text, negative);
    // Only decimal notation: from_chars would also read "inf", "nan" and a second sign.
    const auto end = number.find_first_not_of("+-.0123456789eE");
    number = number.substr(0, end);
    if (number.empty() || number.front() == '+' || number.front() == '-')
        return 0.0;
    double value = 0.0;
    const auto [stop, error] = DecimalChars::fromChars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        value = tooLarge(number.substr(0, static_cast<std::size_t>(stop - number.data()))) ? DBL_MAX : 0.0;
    else if (error != std::errc{})
        value = 0.0;
    return negative ? -value : value;
}

std::string formatInt(int value)
{
    return NumberText::integer(value);
}

std::string formatFixed(double value, int decimals)
{
    return NumberText::bounded(NumberText::printfFixed(value, decimals), value, TextBuffer::maxLength, -1);
}

} // namespace FieldText

#include "decimalchars.h"

#include <version>

#if !defined(__cpp_lib_to_chars)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#endif

namespace DecimalChars {

#if defined(__cpp_lib_to_chars)

std::to_chars_result toChars(char *first, char *last, double value, std::chars_format format, int precision)
{
    return std::to_chars(first, last, value, format, precision);
}

std::to_chars_result toShortestScientific(char *first, char *last, double value)
{
    return std::to_chars(first, last, value, std::chars_format::scientific);
}

std::from_chars_result fromChars(const char *first, const char *last, double &value)
{
    return std::from_chars(first, last, value, std::chars_format::general);
}

#else

namespace {

std::to_chars_result printed(char *first, char *last, const char *format, int precision, double value)
{
    const int length = std::snprintf(first, static_cast<std::size_t>(last - first), format, precision, value);
    if (length < 0 || length >= last - first)
        return {last, std::errc::value_too_large};
    return {first + length, std::errc{}};
}

} // namespace

std::to_chars_result toChars(char *first, char *last, double value, std::chars_format format, int precision)
{
    // snprintf writes a terminating zero that to_chars does not: print into room for it.
    char buffer[512];
    const auto result = printed(buffer, buffer + sizeof buffer,
                                format == std::chars_format::fixed ? "%.*f" : "%.*e", precision, value);
    const auto length = result.ptr - buffer;
    if (result.ec != std::errc{} || length > last - first)
        return {last, std::errc::value_too_large};
    return {std::copy(buffer, buffer + length, first), std::errc{}};
}

std::to_chars_result toShortestScientific(char *first, char *last, double value)
{
    // The correctly rounded text with the fewest digits that reads back as the value.
    char buffer[64];
    int precision = 0;
    std::to_chars_result result{};
    do {
        result = printed(buffer, buffer + sizeof buffer, "%.*e", precision, value);
    } while (std::isfinite(value) && std::strtod(buffer, nullptr) != value && ++precision <= 17);
    const auto length = result.ptr - buffer;
    if (length > last - first)
        return {last, std::errc::value_too_large};
    return {std::copy(buffer, buffer + length, first), std::errc{}};
}

std::from_chars_result fromChars(const char *first, const char *last, double &value)
{
    const std::string text(first, last);
    char *end = nullptr;
    const double read = std::strtod(text.c_str(), &end);
    const auto consumed = end - text.c_str();
    if (consumed == 0)
        return {first, std::errc::invalid_argument};
    // Out of range as from_chars says it: infinite, or zero from digits that are not all zero; the value is kept then.
    const auto mantissa = text.substr(0, std::min(static_cast<std::size_t>(consumed), text.find_first_of("eE")));
    const bool zeroDigits = mantissa.find_first_of("123456789") == std::string::npos;
    if (std::isinf(read) || (read == 0.0 && !zeroDigits))
        return {first + consumed, std::errc::result_out_of_range};
    value = read;
    return {first + consumed, std::errc{}};
}

#endif

} // namespace DecimalChars

#include "numbertext.h"

#include "decimalchars.h"

#include <array>
#include <charconv>
#include <cmath>

namespace NumberText {

std::string printfFixed(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    // 309 integer digits at most, a sign, a point and the decimals.
    std::array<char, 400> buffer;
    const auto result = DecimalChars::toChars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string fixed(double value, int decimals)
{
    std::string text = printfFixed(value, decimals);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string scientific(double value, int decimals)
{
    if (!std::isfinite(value))
        return fixed(value, decimals);
    std::array<char, 64> buffer;
    const auto result = DecimalChars::toChars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::scientific, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string bounded(std::string fixedText, double value, int room, int scientificDecimals)
{
    if (static_cast<int>(fixedText.size()) <= room)
        return fixedText;
    if (scientificDecimals >= 0)
        return scientific(value, scientificDecimals);
    std::array<char, 64> buffer;
    const auto result = DecimalChars::toShortestScientific(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string integer(long long value)
{
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace NumberText

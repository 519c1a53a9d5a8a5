// Field texts of the settings dialog: arbitrary bytes, read as UTF-8 and as
// Latin-1, go through toInt and toDouble, which must agree with the C library's
// atoi and atof in the "C" locale (out-of-range results clamped), and the
// numbers must show as texts that fit the buffer and read back to themselves.

#include "fuzzcheck.h"
#include "textconversion.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

using namespace TextConversion;

// isspace in the "C" locale: the blank and \t \n \v \f \r.
bool isCBlank(QChar c)
{
    return c == u' ' || (c.unicode() >= 0x09 && c.unicode() <= 0x0D);
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// The part of the text atoi/atof would read, without the leading blanks, as
// ASCII: [sign]digits for an integer, [sign]digits[.digits][e[sign]digits] for a
// double. Empty when it holds no digit.
std::string numberPrefix(const QString &text, bool withFraction)
{
    qsizetype i = 0;
    while (i < text.size() && isCBlank(text[i]))
        ++i;
    std::string prefix;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        prefix += static_cast<char>(text[i++].unicode());
    int digits = 0;
    auto takeDigits = [&](std::string &into) {
        int count = 0;
        for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++count)
            into += static_cast<char>(text[i].unicode());
        return count;
    };
    digits += takeDigits(prefix);
    if (withFraction && i < text.size() && text[i] == u'.') {
        prefix += '.';
        ++i;
        digits += takeDigits(prefix);
    }
    if (digits == 0)
        return {};
    if (withFraction && i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        const qsizetype mark = i++;
        std::string exponent = "e";
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            exponent += static_cast<char>(text[i++].unicode());
        if (takeDigits(exponent) > 0)
            prefix += exponent;
        else
            i = mark;
    }
    return prefix;
}

// atoi with values beyond the int range clamped: strtoll saturates at the long
// long range, which lies outside the int range, so the clamp sees every overflow.
int referenceInt(const QString &text)
{
    const std::string prefix = numberPrefix(text, false);
    if (prefix.empty())
        return 0;
    const long long value = strtoll_l(prefix.c_str(), nullptr, 10, Fuzz::cLocale());
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Checks toDouble against atof in the "C" locale: an overflow gives the largest
// finite double with the sign; an underflow gives zero or, for a subnormal
// result, that result.
void checkDouble(const QString &text, double value)
{
    const std::string prefix = numberPrefix(text, true);
    if (prefix.empty()) {
        FUZZ_CHECK(value == 0.0);
        return;
    }
    errno = 0;
    char *end = nullptr;
    const double expected = strtod_l(prefix.c_str(), &end, Fuzz::cLocale());
    const bool outOfRange = errno == ERANGE;
    FUZZ_CHECK(end == prefix.c_str() + prefix.size());
    if (std::isinf(expected)) {
        FUZZ_CHECK(value == std::copysign(DBL_MAX, expected));
    } else if (outOfRange || std::fpclassify(expected) == FP_SUBNORMAL) {
        FUZZ_CHECK(value == expected || value == 0.0);
    } else {
        FUZZ_CHECK(value == expected);
        FUZZ_CHECK(std::signbit(value) == std::signbit(expected));
    }
}

void checkShown(double value, int decimals)
{
    const QString shown = formatFixed(value, decimals);
    FUZZ_CHECK(!shown.isEmpty());
    FUZZ_CHECK(shown.size() <= BufferSize - 1);
    FUZZ_CHECK(!shown.contains(u','));
    for (QChar c : shown)
        FUZZ_CHECK(isAsciiDigit(c) || c == u'-' || c == u'+' || c == u'.' || c == u'e');

    // Showing what was read back shows the same text: a field's value survives
    // any number of OK/reopen cycles of the dialog.
    const double back = toDouble(shown);
    FUZZ_CHECK(formatFixed(back, decimals) == shown);

    if (shown.contains(u'e') || (decimals == 0 && value == std::nearbyint(value))) {
        // The scientific form is the shortest that reads back exactly; whole numbers are exact.
        FUZZ_CHECK(back == value);
    } else {
        const double allowed = 0.5 * std::pow(10.0, -decimals) + std::fabs(value) * DBL_EPSILON;
        FUZZ_CHECK(std::fabs(back - value) <= allowed);
    }
}

void checkText(const QString &text)
{
    const int asInt = toInt(text);
    FUZZ_CHECK(asInt == referenceInt(text));
    FUZZ_CHECK(toInt(formatInt(asInt)) == asInt);

    const double asDouble = toDouble(text);
    FUZZ_CHECK(std::isfinite(asDouble));
    checkDouble(text, asDouble);

    if (std::none_of(text.begin(), text.end(), isAsciiDigit)) {
        FUZZ_CHECK(asInt == 0);
        FUZZ_CHECK(asDouble == 0.0);
    }

    checkShown(asDouble, 0);
    checkShown(asDouble, 10);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::useGermanLocaleIfInstalled();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto *bytes = reinterpret_cast<const char *>(data);
    const auto length = static_cast<qsizetype>(size);
    checkText(QString::fromUtf8(bytes, length));
    checkText(QString::fromLatin1(bytes, length));
    return 0;
}

#include "textconversion.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <string>

using namespace TextConversion;

TEST(TextConversionTest, ReadsTheLeadingNumberLikeAtoiAndAtof)
{
    struct Case {
        const char *name;
        const char *text;
        int asInt;
        double asDouble;
    };
    const Case cases[] = {
        {"blanks and sign", " \t+42", 42, 42.0},
        {"trailing letters", "123abc", 123, 123.0},
        {"decimals", "-12.75", -12, -12.75},
        {"comma ends the number", "0,00001", 0, 0.0},
        {"exponent", "5e-6", 5, 0.000005},
        {"exponent without digits", "5e-x", 5, 5.0},
        {"no number", "abc", 0, 0.0},
        {"sign only", "-", 0, 0.0},
        {"nan and inf are words", "inf", 0, 0.0},
        {"int range clamps above", "2147483648", INT_MAX, 2147483648.0},
        {"int range clamps below", "-99999999999", INT_MIN, -99999999999.0},
        {"double overflow gives the largest double", "1e400", 1, DBL_MAX},
        {"negative overflow", "-123e99999999999999", -123, -DBL_MAX},
        {"underflow gives zero", "12345e-400", 12345, 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(toInt(QLatin1String(c.text)), c.asInt);
        EXPECT_EQ(toDouble(QLatin1String(c.text)), c.asDouble);
    }
}

TEST(TextConversionTest, FormatsWithinTheBufferAndReadsBack)
{
    struct Case {
        const char *name;
        double value;
        int decimals;
        const char *shown; // nullptr: fixed text too long to list here
    };
    const Case cases[] = {
        {"whole points round half to even", 12.5, 0, "12"},
        {"threshold", 0.000005, 10, "0.0000050000"},
        {"below the tenth decimal", 0.00000000004, 10, "0.0000000000"},
        {"299 characters stay fixed", 5e298, 0, nullptr},
        {"300 digits turn scientific", 5e299, 0, "5e+299"},
        {"the sign counts", -5e298, 0, "-5e+298"},
        {"289 digits and 10 decimals", 5e288, 10, "5e+288"},
        {"largest double", DBL_MAX, 10, "1.7976931348623157e+308"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = formatFixed(c.value, c.decimals);
        EXPECT_LE(text.size(), BufferSize - 1);
        EXPECT_EQ(text, c.shown ? QString::fromLatin1(c.shown) : text.left(BufferSize - 1));
        EXPECT_EQ(text.size() == BufferSize - 1, c.shown == nullptr);
        // What is shown reads back as the value, to the decimals shown.
        if (c.decimals == 0 || text.contains(u'e')) {
            EXPECT_EQ(toDouble(text), std::nearbyint(c.value));
        }
    }
}

TEST(TextConversionTest, IgnoresTheDesktopLocale)
{
    // ctest runs this with LC_ALL=de_DE.UTF-8, where the C library's atof would
    // read "0,5" as a half and printf would write a comma.
    if (std::string(std::localeconv()->decimal_point) == ".")
        GTEST_SKIP() << "needs a locale with a decimal comma, such as de_DE.UTF-8";
    EXPECT_EQ(toDouble(QStringLiteral("0.5")), 0.5);
    EXPECT_EQ(toDouble(QStringLiteral("0,5")), 0.0);
    EXPECT_EQ(formatFixed(1234.5, 10), QStringLiteral("1234.5000000000"));
    EXPECT_EQ(formatInt(-1234567), QStringLiteral("-1234567"));
}

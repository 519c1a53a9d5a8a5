// Any field text under a German locale reads as atoi and atof read it in "C", clamped; shown, it reads back.

#include "fieldtext.h"
#include "textbuffer.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <regex>
#include <string>
#include <string_view>

// A broken invariant aborts: libFuzzer reports the crash with its stack, the line of the check, and keeps the input.
#define CHECK(condition) ((condition) ? void() : std::abort())

namespace {

[[maybe_unused]] const bool german = ::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr; // where installed

void check(std::string_view bytes)
{
    using namespace FieldText;
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    static const std::regex integer(R"(^[ \t\n\v\f\r]*([+-]?[0-9]+))");
    static const std::regex real(R"(^[ \t\n\v\f\r]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?))");
    const std::string text(bytes);
    std::smatch number;
    const std::string integerPart = std::regex_search(text, number, integer) ? number[1].str() : "0";
    CHECK(toInt(text) == std::clamp<long long>(strtoll_l(integerPart.c_str(), nullptr, 10, c), INT_MIN, INT_MAX));
    const double asDouble = std::regex_search(text, number, real) ? strtod_l(number[1].str().c_str(), nullptr, c) : 0;
    const double value = toDouble(text);
    CHECK(std::isinf(asDouble) ? value == std::copysign(DBL_MAX, asDouble)
                               : value == asDouble || (std::fabs(asDouble) < DBL_MIN && value == 0));
    for (int decimals : {0, 10}) {
        const std::string shown = formatFixed(value, decimals);
        CHECK(!shown.empty() && static_cast<int>(shown.size()) <= TextBuffer::maxLength && shown.find(',') == shown.npos);
        CHECK(formatFixed(toDouble(shown), decimals) == shown);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    check(std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}

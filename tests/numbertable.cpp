// Every number text and field conversion the program shows, writes or reads, over tens of thousands of
// deterministic values, one line a value: the web build's output must equal the native build's byte for byte
// (scripts/web-tests.sh compares them), as its library lacks the floating-point to_chars and from_chars.

#include "commandid.h"
#include "fieldtext.h"
#include "numbertext.h"
#include "session.h"
#include "settingsform.h"
#include "statuspage.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// The engine's raw output is the same everywhere; the standard's distributions are not.
std::mt19937_64 engine(20261207);

// Two draws share an expression only in a braced list: compilers evaluate arguments and operands in different orders.
std::uint64_t below(std::uint64_t bound) { return engine() % bound; }

std::string hex(std::uint64_t value)
{
    char text[16];
    return std::string(text, std::to_chars(text, text + sizeof text, value, 16).ptr);
}

std::string bits(double value)
{
    std::uint64_t word = 0;
    std::memcpy(&word, &value, sizeof word);
    return hex(word);
}

double fromBits(std::uint64_t word)
{
    double value = 0;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

// Control characters and bytes beyond ASCII as \xNN, so that each value stays one line.
std::string escaped(const std::string &text)
{
    std::string all;
    for (const unsigned char c : text)
        all += c >= ' ' && c < 0x7F && c != '\\' ? std::string(1, static_cast<char>(c)) : "\\x" + hex(c);
    return all;
}

void line(const std::string &text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

// What the screens, the settings fields and the report make of a double, and what the fields read back.
void showDouble(double value)
{
    std::string all = "double " + bits(value);
    for (const int decimals : {0, 3, 5, 10, 15})
        all += '\t' + NumberText::printfFixed(value, decimals);
    const std::string shown = FieldText::formatFixed(value, 10);
    all += '\t' + NumberText::fixed(value, 3) + '\t' + NumberText::scientific(value, 3) + '\t'
        + NumberText::bounded(NumberText::fixed(value, 5), value, 20, 3)
        + '\t' + FieldText::formatFixed(value, 0) + '\t' + shown + '\t' + bits(FieldText::toDouble(shown));
    line(all);
}

void readText(const std::string &text)
{
    line("text " + escaped(text) + '\t' + bits(FieldText::toDouble(text)) + '\t'
         + FieldText::formatInt(FieldText::toInt(text)));
}

std::vector<double> doubles()
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> all = {0.0, DBL_TRUE_MIN, DBL_MIN, std::nextafter(DBL_MIN, 0.0), DBL_MAX, inf, nan, 1.0,
                               0.1, 0.2, 0.3, 1 / 3.0, 2 / 3.0, 0.000005, 50000.0, 9007199254740992.0,
                               9007199254740994.0, 9223372036854775808.0, 18446744073709551616.0, INT_MAX + 0.5,
                               3.141592653589793, 1e15 - 0.5, 1e16 - 2, 4.35, 2.675, 1.005, 0.045, 1e23, 5e-324};
    // Powers of ten, where the texts change length, and their neighbours.
    for (int exponent = -325; exponent <= 309; ++exponent) {
        const double power = std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr);
        all.insert(all.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, inf)});
    }
    // Exact ties at each number of decimals shown: odd multiples of 2^-(decimals + 1).
    for (const int decimals : {0, 3, 5, 10, 15})
        for (int i = 0; i < 2000; ++i)
            all.push_back(std::ldexp(static_cast<double>(below(std::uint64_t{1} << 40) | 1), -(decimals + 1)));
    for (int i = 0; i < 2000; ++i) // subnormals
        all.push_back(fromBits(below(std::uint64_t{1} << 52)));
    for (int i = 0; i < 10000; ++i) // any bits at all, NaNs with payloads included
        all.push_back(fromBits(engine()));
    for (int i = 0; i < 10000; ++i) { // the magnitudes runs and fields have
        const auto mantissa = static_cast<double>(engine() >> 11);
        all.push_back(std::ldexp(mantissa, static_cast<int>(below(100)) - 90));
    }
    const auto count = all.size();
    for (std::size_t i = 0; i < count; ++i)
        all.push_back(-all[i]);
    return all;
}

// Field texts as typed: decimal numbers with blanks, signs, points, exponents and what follows them.
std::string typed()
{
    static const char *const starts[] = {"", "", "-", "+", " ", "\t-", "+-", "--", " +"};
    static const char *const ends[] = {"", "", "", "x", ",5", "e", "e+", ".", " 7", "\xC3\xA4"};
    std::string text = starts[below(std::size(starts))];
    const auto digits = 1 + below(below(4) == 0 ? 800 : 25);
    const auto point = below(digits + 2);
    for (std::uint64_t i = 0; i < digits; ++i) {
        text += i == point ? "." : "";
        text += static_cast<char>('0' + below(10));
    }
    if (below(2)) {
        text += below(2) ? "e" : "E";
        text += starts[below(4)];
        text += std::to_string(below(below(3) ? 700 : 40000));
    }
    return text + ends[below(std::size(ends))];
}

std::vector<std::string> texts(const std::vector<double> &values)
{
    std::vector<std::string> all = {"1e400", "-1e400", "1e-400", "0,5", " 12", "+-2", "", "-", ".", "1.", ".5", "1e",
                                    "1e+", "e5", "0x10", "inf", "nan", "\t \n-0", "2147483647", "2147483648",
                                    "-2147483648", "-2147483649", "99999999999999999999", "4.9e-324",
                                    "2.4703282292062327e-324", "2.4703282292062328e-324", "1.7976931348623157e308",
                                    "1.7976931348623158e308", "1.7976931348623159e308", "9007199254740993",
                                    "9007199254740993.0000000000000000000001", "1e9223372036854775807",
                                    "1e-9223372036854775808", "0.0001e-9223372036854775807", "1e99999999999999999999",
                                    std::string(400, '9'), "0." + std::string(400, '0') + "1", std::string(299, '9')};
    for (int i = 0; i < 20000; ++i)
        all.push_back(typed());
    // What the program writes, read back: the long fixed texts and the scientific ones at many digits.
    for (std::size_t i = 0; i < values.size(); i += 7)
        for (const int decimals : {15, 25})
            all.push_back(NumberText::scientific(values[i], decimals));
    return all;
}

// The status page as a run of the given settings goes on; each setting typed into the dialog.
void runStatusPages()
{
    const struct { const char *shots, *threshold, *minimum, *radius, *dimensions; bool autoStop; } settings[] = {
        {"50000", "0.000005", "50", "200", "2", true},
        {"3000", "0.000005", "50", "1", "2", false},
        {"2500", "0.000005", "50", "32000", "3", false},
        {"4000.7", "1e-3", "7", "200", "10", true},
        {"2000", "0.000005", "50", "32000", "150", false},
        {"1e300", "0.000005", "50", "17", "1", false},
    };
    for (const auto &row : settings) {
        Session session;
        SettingsForm form(session);
        const bool refused = form.accept({row.shots, row.autoStop, row.threshold, row.minimum, row.radius,
                                          row.dimensions}).has_value();
        const auto shown = SettingsForm(session).shown();
        line(std::string("settings ") + (refused ? "refused" : "taken") + '\t' + shown.targetShots + '\t'
             + shown.threshold + '\t' + shown.minShots + '\t' + shown.radius + '\t' + shown.dimensions);
        session.command(IdStart);
        for (int pass = 0; pass < 3000 && session.running(); ++pass) {
            session.pass();
            if (pass % 97 == 0 || !session.running()) {
                std::string page = "status";
                for (const auto &[pageLine, x, text] : StatusPage::texts(session))
                    page += '\t' + std::to_string(pageLine) + ',' + std::to_string(x) + ':' + escaped(text);
                line(page);
            }
        }
    }
}

} // namespace

int main()
{
    // One write a buffer, not a line: node writes each one through the host.
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

    const std::vector<double> values = doubles();
    for (const double value : values)
        showDouble(value);
    for (const std::string &text : texts(values))
        readText(text);
    for (const long long value : {LLONG_MIN, LLONG_MAX, 0LL, -1LL, static_cast<long long>(INT_MIN) - 1})
        line("integer " + NumberText::integer(value));
    runStatusPages();
    return std::fflush(stdout) == 0 ? 0 : 1;
}

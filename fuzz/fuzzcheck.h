#pragma once

// Helpers shared by the fuzz targets: an invariant check that stops the run
// with a message, the "C" locale for reference conversions, and fixed-size
// reading of the fuzzer's bytes.

#include <clocale>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

// A broken invariant aborts, which libFuzzer reports as a crash with the input saved.
#define FUZZ_CHECK(condition)                                                                 \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "%s:%d: broken invariant: %s\n", __FILE__, __LINE__,       \
                         #condition);                                                         \
            std::abort();                                                                     \
        }                                                                                     \
    } while (false)

namespace Fuzz {

inline locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

// The program's numbers must not follow a German desktop's decimal comma; runs
// in that locale when it is installed (install-deps.sh generates it).
inline void useGermanLocaleIfInstalled()
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        std::fprintf(stderr, "note: de_DE.UTF-8 not installed, fuzzing in the C locale\n");
}

// printf with a precision ("%.*f"), in the "C" locale whatever the process locale.
inline std::string printfText(const char *conversion, double value, int decimals)
{
    const locale_t previous = uselocale(cLocale());
    char buffer[512];
    const int length = std::snprintf(buffer, sizeof buffer, conversion, decimals, value);
    uselocale(previous);
    FUZZ_CHECK(length > 0 && static_cast<std::size_t>(length) < sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(length));
}

// Reads consecutive values from the input; bytes past its end read as zero so
// short inputs still reach the code.
class Reader
{
public:
    Reader(const unsigned char *data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    T next()
    {
        unsigned char bytes[sizeof(T)] = {};
        for (std::size_t i = 0; i < sizeof(T) && m_offset < m_size; ++i)
            bytes[i] = m_data[m_offset++];
        T value;
        std::memcpy(&value, bytes, sizeof(T));
        return value;
    }

private:
    const unsigned char *m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

} // namespace Fuzz

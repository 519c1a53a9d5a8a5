// The result report for any values the records can hold (NaN, infinities, -0,
// subnormals, huge volumes): 17 lines joined by CR LF, Windows-1252 bytes, 312
// bytes of fixed text plus the number texts, each number text as printf's
// "%.<n>f" in the "C" locale would write it. Every few thousand inputs the
// report also goes to disk through ResultReport::write.

#include "fuzzcheck.h"
#include "numbertext.h"
#include "resultreport.h"

#include <cmath>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t fixedBytes = 312;
constexpr int writeEvery = 4096;

std::string workFolder;

// printf's spelling, except the one chosen for NaN ("nan", also when negative).
std::string referenceFixed(double value, int decimals)
{
    return std::isnan(value) ? "nan" : Fuzz::printfText("%.*f", value, decimals);
}

void checkNumber(const std::string &text, const std::string &expected)
{
    FUZZ_CHECK(text == expected);
    FUZZ_CHECK(text.find(',') == std::string::npos);
}

void removeWorkFolder()
{
    const std::string report = workFolder + "/" + ResultReport::fileName;
    ::unlink(report.c_str());
    ::rmdir(workFolder.c_str());
}

std::vector<std::string> filesIn(const std::string &folder)
{
    std::vector<std::string> names;
    DIR *dir = ::opendir(folder.c_str());
    FUZZ_CHECK(dir != nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

// The file holds exactly the composed bytes, and no temporary file is left behind.
void checkWrittenFile(const std::string &composed, int radius, int dimensions,
                      const double (&values)[6])
{
    const ResultReport report;
    const auto outcome = report.write(radius, dimensions, values[0], values[1], values[2],
                                      values[3], values[4], values[5]);
    FUZZ_CHECK(outcome.written);
    FUZZ_CHECK(outcome.reason.empty());
    std::ifstream file(ResultReport::fileName, std::ios::binary);
    const std::string onDisk{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    FUZZ_CHECK(onDisk == composed);
    const auto names = filesIn(".");
    FUZZ_CHECK(names.size() == 1 && names.front() == ResultReport::fileName);
}

// The report goes to the working directory: write it from a folder of our own,
// and come back, since libFuzzer resolves the corpus paths from where it started.
void writeInWorkFolder(const std::string &composed, int radius, int dimensions,
                       const double (&values)[6])
{
    const int startFolder = ::open(".", O_RDONLY | O_DIRECTORY);
    FUZZ_CHECK(startFolder >= 0);
    FUZZ_CHECK(::chdir(workFolder.c_str()) == 0);
    checkWrittenFile(composed, radius, dimensions, values);
    FUZZ_CHECK(::fchdir(startFolder) == 0);
    ::close(startFolder);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::useGermanLocaleIfInstalled();
    const char *temporary = std::getenv("TMPDIR");
    std::string folder = std::string(temporary && *temporary ? temporary : "/tmp")
        + "/mc_report_fuzz.XXXXXX";
    FUZZ_CHECK(::mkdtemp(folder.data()) != nullptr);
    workFolder = folder;
    std::atexit(removeWorkFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fuzz::Reader input(data, size);
    const int radius = input.next<std::int32_t>();
    const int dimensions = input.next<std::int32_t>();
    double values[6]; // volume, shots, hits, hit ratio, variance, pi
    for (double &value : values)
        value = input.next<double>();
    const auto [volume, shots, hits, hitRatio, variance, pi] = values;

    const std::string report =
        ResultReport::compose(radius, dimensions, volume, shots, hits, hitRatio, variance, pi);

    const std::string numbers[] = {
        NumberText::integer(radius),    NumberText::integer(dimensions),
        NumberText::printfFixed(volume, 5),   NumberText::printfFixed(shots, 0),
        NumberText::printfFixed(hits, 0),     NumberText::printfFixed(hitRatio * 100.0, 10),
        NumberText::printfFixed(variance, 10), NumberText::printfFixed(pi, 15),
    };
    checkNumber(numbers[0], std::to_string(radius));
    checkNumber(numbers[1], std::to_string(dimensions));
    checkNumber(numbers[2], referenceFixed(volume, 5));
    checkNumber(numbers[3], referenceFixed(shots, 0));
    checkNumber(numbers[4], referenceFixed(hits, 0));
    checkNumber(numbers[5], referenceFixed(hitRatio * 100.0, 10));
    checkNumber(numbers[6], referenceFixed(variance, 10));
    checkNumber(numbers[7], referenceFixed(pi, 15));

    std::size_t numberBytes = 0;
    for (const auto &number : numbers)
        numberBytes += number.size();
    FUZZ_CHECK(report.size() == fixedBytes + numberBytes);

    // CR LF pairs only, 16 of them, and none at the end: 17 lines.
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        const auto byte = static_cast<unsigned char>(report[i]);
        if (byte == '\r') {
            FUZZ_CHECK(i + 1 < report.size() && report[i + 1] == '\n');
            ++lineEnds;
        } else if (byte == '\n') {
            FUZZ_CHECK(i > 0 && report[i - 1] == '\r');
        } else {
            // Windows-1252: printable ASCII, plus only "ö" and "ä".
            FUZZ_CHECK((byte >= 0x20 && byte < 0x7F) || byte == 0xF6 || byte == 0xE4);
        }
    }
    FUZZ_CHECK(lineEnds == 16);
    FUZZ_CHECK(report.back() != '\n' && report.back() != '\r');
    // The last line is pi's, ending with its number text.
    FUZZ_CHECK(report.size() >= numbers[7].size()
               && report.compare(report.size() - numbers[7].size(), std::string::npos, numbers[7]) == 0);
    FUZZ_CHECK(report.find(',') == std::string::npos);

    static unsigned calls = 0;
    if (++calls % writeEvery == 1)
        writeInWorkFolder(report, radius, dimensions, values);
    return 0;
}

#include "numbertext.h"
#include "resultreport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Each test writes into a fresh folder of its own as the working directory.
class ReportFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        char pattern[] = "/tmp/mc-report-XXXXXX";
        m_folder = ::mkdtemp(pattern);
        fs::current_path(m_folder);
    }
    void TearDown() override
    {
        fs::current_path(m_previous);
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }
    std::string report() const { return readFile(m_folder / ResultReport::fileName); }

    fs::path m_previous;
    fs::path m_folder;
};

const std::string workedExample =
    "Monte Carlo Simulation: Auswertung\r\n"
    "--------------------------------------\r\n"
    "\r\n"
    "> K\xF6rper:\r\n"
    "\r\n"
    "  Radius:      200\r\n"
    "  Dimensionen: 2\r\n"
    "  Kreisfl\xE4" "che: 125664.00000\r\n"
    "\r\n"
    "> Simulation:\r\n"
    "\r\n"
    "  geschossen (n):                50000\r\n"
    "  getroffen  (m):                39270\r\n"
    "  Trefferwahrscheinlichkeit (p): 78.5400000000 %\r\n"
    "  Varianz:                       0.0000033710\r\n"
    "\r\n"
    "  PI:  3.141600000000000";

void writeWorkedExample(const ResultReport &writer, ResultReport::Outcome &outcome)
{
    outcome = writer.write(200, 2, 125664.0, 50000, 39270, 0.7854, 0.0000033710042, 3.1416);
}

TEST_F(ReportFolder, WorkedExampleByteForByte)
{
    ResultReport writer;
    ResultReport::Outcome outcome;
    writeWorkedExample(writer, outcome);
    ASSERT_TRUE(outcome.written) << outcome.reason;
    EXPECT_TRUE(outcome.reason.empty());
    EXPECT_EQ(report(), workedExample);
    EXPECT_EQ(report().size(), 380u);
}

TEST_F(ReportFolder, SavingTwiceKeepsOnlyTheSecondReport)
{
    ResultReport writer;
    ASSERT_TRUE(writer.write(32000, 99, INFINITY, 1e6, 5, 1, 0, 0).written);
    ASSERT_TRUE(writer.write(200, 2, 0, 0, 0, 0, 0, 0).written);
    EXPECT_EQ(report(), ResultReport::compose(200, 2, 0, 0, 0, 0, 0, 0));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);
}

TEST(ResultReport, SizeIsFixedTextPlusNumberTexts)
{
    struct Row { const char *name; int radius, dimensions; double volume, shots, hits, ratio, variance, pi;
                 std::size_t numberChars; };
    const Row rows[] = {
        {"all zero", 200, 2, 0, 0, 0, 0, 0, 0, 3 + 1 + 7 + 1 + 1 + 12 + 12 + 17},
        {"negative zero variance as printf writes it", 200, 2, 0, 0, 0, 0, -0.0, 0, 55},
        {"ratio one", 1, 1, 2, 51, 51, 1, 0, 4, 1 + 1 + 7 + 2 + 2 + 14 + 12 + 17},
        {"negative radius", -5, 10, 1e20, 33649, 26446, 0.5, NAN, 0,
         2 + 2 + 27 + 5 + 5 + 13 + 3 + 17},
        // A volume of 10^300 is written whole: 301 integer digits.
        {"huge volume", 32000, 66, 1e300, 1, 1, 1, NAN, 4, 5 + 2 + 307 + 1 + 1 + 14 + 3 + 17},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text = ResultReport::compose(row.radius, row.dimensions, row.volume, row.shots,
                                                       row.hits, row.ratio, row.variance, row.pi);
        EXPECT_EQ(text.size(), 312 + row.numberChars);
        EXPECT_NE(text.back(), '\n');
        std::size_t lineEnds = 0;
        for (std::size_t i = 0; i + 1 < text.size(); ++i)
            if (text[i] == '\r' && text[i + 1] == '\n')
                ++lineEnds;
        EXPECT_EQ(lineEnds, 16u);
        EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    }
}

TEST(NumberText, SpellsEdgeValuesReadably)
{
    struct Row { double value; int decimals; const char *text; };
    const Row rows[] = {
        {0.7854 * 100.0, 10, "78.5400000000"},
        {1.0 * 100.0, 10, "100.0000000000"},
        {2.5, 0, "2"},            // round half to even, as printf does
        {3.5, 0, "4"},
        {-0.0, 10, "0.0000000000"},
        {-1e-20, 5, "0.00000"},
        {-2.5, 1, "-2.5"},
        {NAN, 10, "nan"},
        {-NAN, 10, "nan"},
        {INFINITY, 5, "inf"},
        {-INFINITY, 5, "-inf"},
        {1e13, 5, "10000000000000.00000"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(NumberText::fixed(row.value, row.decimals), row.text) << row.value;
    EXPECT_EQ(NumberText::integer(-2147483647 - 1), "-2147483648");
}

TEST_F(ReportFolder, GermanLocaleKeepsTheDecimalPoint)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    EXPECT_STREQ(probe, "0,5"); // the locale really is in effect
    ResultReport writer;
    ResultReport::Outcome outcome;
    writeWorkedExample(writer, outcome);
    std::setlocale(LC_ALL, "C");
    ASSERT_TRUE(outcome.written);
    EXPECT_EQ(report(), workedExample);
}

TEST_F(ReportFolder, FailedSaveLeavesTheExistingReportUntouched)
{
    const std::string previous = "an earlier report\r\n";
    {
        std::ofstream(ResultReport::fileName, std::ios::binary) << previous;
    }
    ::chmod(ResultReport::fileName, 0444);
    ResultReport writer;
    const auto readOnly = writer.write(200, 2, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(readOnly.written);
    EXPECT_EQ(readOnly.reason, "Die vorhandene Datei ist schreibgeschützt.");
    EXPECT_EQ(report(), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()), 1);

    fs::remove(ResultReport::fileName);
    fs::create_directory(ResultReport::fileName);
    const auto folder = writer.write(200, 2, 0, 0, 0, 0, 0, 0);
    EXPECT_FALSE(folder.written);
    EXPECT_FALSE(folder.reason.empty());
    EXPECT_TRUE(fs::is_directory(ResultReport::fileName));
}

TEST_F(ReportFolder, ReplacedReportKeepsItsPermissions)
{
    {
        std::ofstream(ResultReport::fileName, std::ios::binary) << "old";
    }
    ::chmod(ResultReport::fileName, 0640);
    ASSERT_TRUE(ResultReport().write(200, 2, 0, 0, 0, 0, 0, 0).written);
    EXPECT_EQ(fs::status(ResultReport::fileName).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

} // namespace

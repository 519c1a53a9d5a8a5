// The save with the Windows calls: what is left in the working folder when it works and when it is refused.

#include "report.h"
#include "resultreport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using Failure = AtomicFile::Failure;

const RunSummary run{200, 2, 80000, 3, 2, 2 / 3.0, 0.25, 8 / 3.0};

// The folder's listing with one old report in it.
std::string withOldReport(const TempFolder &work)
{
    return (work.path / ResultReport::fileName).string() + ":alt\n";
}

TEST(SaveWindows, ReplaceLeavesOnlyTheReportAsComposed)
{
    TempFolder work;
    std::ofstream(ResultReport::fileName, std::ios::binary) << "alt";
    EXPECT_TRUE(ResultReport::write(run).written());
    EXPECT_EQ(listing(work.path), (work.path / ResultReport::fileName).string() + ":Monte Car\n");
    EXPECT_EQ(readFile(ResultReport::fileName), ResultReport::compose(run));
}

TEST(SaveWindows, ReadOnlyReportRefusedAndLeftWhole)
{
    TempFolder work;
    std::ofstream(ResultReport::fileName, std::ios::binary) << "alt";
    ::SetFileAttributesW(L"mc_result.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ResultReport::write(run).failure, Failure::ReadOnlyReport);
    EXPECT_EQ(listing(work.path), withOldReport(work));
}

TEST(SaveWindows, ReportHeldOpenLeftWholeWithNothingBeside)
{
    TempFolder work;
    std::ofstream(ResultReport::fileName, std::ios::binary) << "alt";
    // As a program that locks what it opened.
    const HANDLE held = ::CreateFileW(L"mc_result.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(ResultReport::write(run).failure, Failure::ReportNotWritable);
    ::CloseHandle(held);
    EXPECT_EQ(listing(work.path), withOldReport(work));
}

TEST(SaveWindows, FolderInTheWay)
{
    TempFolder work;
    fs::create_directory(ResultReport::fileName);
    EXPECT_EQ(ResultReport::write(run).failure, Failure::FolderInTheWay);
}

// The path arrives as UTF-8, whatever the system's code page.
TEST(SaveWindows, FolderNameWithUmlauts)
{
    TempFolder work;
    fs::create_directory(u8"Prüfung");
    EXPECT_TRUE(AtomicFile::replace("Pr\xC3\xBC" "fung\\mc_result.txt", "neu").written());
    EXPECT_EQ(readFile(fs::path(u8"Prüfung") / "mc_result.txt"), "neu");
}

// Windows keeps a process's working folder from being removed; a folder on a
// drive that was pulled out is gone the same way as one that was never there.
// The refusal names the folder, absolute and in UTF-8, for the box to show.
TEST(SaveWindows, FolderGone)
{
    TempFolder work;
    const AtomicFile::Outcome outcome = AtomicFile::replace("gone\\Pr\xC3\xBC" "fung\\mc_result.txt", "neu");
    EXPECT_EQ(outcome.failure, Failure::FolderGone);
    EXPECT_EQ(outcome.folder, fs::current_path().string() + "\\gone\\Pr\xC3\xBC" "fung");
}

} // namespace

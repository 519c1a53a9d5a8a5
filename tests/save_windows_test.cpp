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

// Another program holds the report, as an editor or a word processor opens it: the refusal says so.
TEST(SaveWindows, ReportHeldOpenLeftWholeWithNothingBeside)
{
    const struct { const char *holder; DWORD access, sharing; } rows[] = {
        {"locking it", GENERIC_READ, 0},
        {"reading, sharing reading", GENERIC_READ, FILE_SHARE_READ},
        {"writing, sharing reading and writing", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE},
    };
    for (const auto &[holder, access, sharing] : rows) {
        SCOPED_TRACE(holder);
        TempFolder work;
        std::ofstream(ResultReport::fileName, std::ios::binary) << "alt";
        const HANDLE held = ::CreateFileW(L"mc_result.txt", access, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(ResultReport::write(run).failure, Failure::ReportInUse);
        ::CloseHandle(held);
        EXPECT_EQ(listing(work.path), withOldReport(work));
    }
}

// A name longer than the file system takes is refused as too long, with nothing left. (Wine, unlike Windows,
// takes paths beyond MAX_PATH: that refusal cannot be tried here.)
TEST(SaveWindows, PathTooLong)
{
    TempFolder work;
    EXPECT_EQ(AtomicFile::replace(std::string(300, 'c') + "\\mc_result.txt", "neu").failure, Failure::PathTooLong);
    EXPECT_EQ(listing(work.path), "");
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

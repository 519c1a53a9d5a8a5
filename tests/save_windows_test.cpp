// The save with the Windows calls: what is left in the working folder when it works and when it is refused.

#include "report.h"
#include "resultreport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using Failure = AtomicFile::Failure;

const RunSummary run{200, 2, 80000, 3, 2, 2 / 3.0, 0.25, 8 / 3.0};

// Over an old report: written whole, or refused with the old one left whole and nothing beside it. Another
// program holds the report (access given), as an editor or a word processor opens it: the refusal says so.
TEST(SaveWindows, OverAnOldReport)
{
    // left: the first bytes of what is then under the report's name.
    const struct { const char *name; DWORD attributes, access, sharing; Failure failure; const char *left; } rows[] = {
        {"replaced: only the report as composed", 0, 0, 0, Failure::None, "Monte Car"},
        {"read-only", FILE_ATTRIBUTE_READONLY, 0, 0, Failure::ReadOnlyReport, "alt"},
        {"held, locking it", 0, GENERIC_READ, 0, Failure::ReportInUse, "alt"},
        {"held reading, sharing reading", 0, GENERIC_READ, FILE_SHARE_READ, Failure::ReportInUse, "alt"},
        {"held writing, sharing reading and writing", 0, GENERIC_READ | GENERIC_WRITE,
         FILE_SHARE_READ | FILE_SHARE_WRITE, Failure::ReportInUse, "alt"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder work;
        std::ofstream(ResultReport::fileName, std::ios::binary) << "alt";
        if (row.attributes)
            ::SetFileAttributesW(L"mc_result.txt", row.attributes);
        const HANDLE held = row.access
            ? ::CreateFileW(L"mc_result.txt", row.access, row.sharing, nullptr, OPEN_EXISTING, 0, nullptr)
            : INVALID_HANDLE_VALUE;
        const AtomicFile::Outcome outcome = ResultReport::write(run);
        if (held != INVALID_HANDLE_VALUE)
            ::CloseHandle(held);
        EXPECT_EQ(outcome.failure, row.failure);
        EXPECT_EQ(listing(work.path), (work.path / ResultReport::fileName).string() + ":" + row.left + "\n");
        if (outcome.written()) {
            EXPECT_EQ(readFile(ResultReport::fileName), ResultReport::compose(run));
        }
    }
}

TEST(SaveWindows, FolderInTheWay)
{
    TempFolder work;
    fs::create_directory(ResultReport::fileName);
    EXPECT_EQ(ResultReport::write(run).failure, Failure::FolderInTheWay);
}

// A name longer than the file system takes is refused as too long, with nothing left. (Wine, unlike Windows,
// takes paths beyond MAX_PATH: that refusal cannot be tried here.)
TEST(SaveWindows, PathTooLong)
{
    TempFolder work;
    EXPECT_EQ(AtomicFile::replace(std::string(300, 'c') + "\\mc_result.txt", "neu").failure, Failure::PathTooLong);
    EXPECT_EQ(listing(work.path), "");
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

// The save with the Windows calls: what is left in the working folder when it works and when it is refused, and in
// which order the report reaches the disk.

#include "report.h"
#include "reportfile.h"
#include "resultreport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

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

// Where the report's folder is not as asked: a folder under the report's name; a name longer than the file system
// takes (Wine, unlike Windows, takes paths beyond MAX_PATH: that refusal cannot be tried here); a folder named in
// UTF-8, whatever the system's code page; a folder gone, as on a drive pulled out (Windows keeps a process's working
// folder from being removed), named absolute and in UTF-8 for the box to show. A refusal leaves nothing.
TEST(SaveWindows, WhereTheFolderIsNotAsAsked)
{
    const struct { const char *name; const char8_t *made; std::string path; Failure failure; std::string named; } rows[] = {
        {"a folder in the way", u8"mc_result.txt", "mc_result.txt", Failure::FolderInTheWay, ""},
        {"a path too long", nullptr, std::string(300, 'c') + "\\mc_result.txt", Failure::PathTooLong, ""},
        {"a folder name with umlauts", u8"Prüfung", "Pr\xC3\xBC" "fung\\mc_result.txt", Failure::None, ""},
        {"a folder gone", nullptr, "gone\\Pr\xC3\xBC" "fung\\mc_result.txt", Failure::FolderGone, "\\gone\\Pr\xC3\xBC" "fung"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder work;
        if (row.made)
            fs::create_directory(row.made);
        const AtomicFile::Outcome outcome = AtomicFile::replace(row.path, "neu");
        EXPECT_EQ(outcome.failure, row.failure);
        EXPECT_EQ(outcome.written() ? readFile(fs::path(row.made) / "mc_result.txt") : listing(work.path),
                  outcome.written() ? "neu" : row.made ? (work.path / row.made).string() + ":\n" : "");
        if (!row.named.empty()) {
            EXPECT_EQ(outcome.folder, fs::current_path().string() + row.named);
        }
    }
}

// The calls the report's save makes, in order, as seen through the exe's imports.
std::vector<std::string> calls;
ULONG_PTR systemFlush, systemMove;

BOOL WINAPI flushSeen(HANDLE file)
{
    calls.push_back("flush");
    return reinterpret_cast<decltype(&FlushFileBuffers)>(systemFlush)(file);
}

BOOL WINAPI moveSeen(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    calls.push_back(std::wstring(to).ends_with(L"mc_result.txt") ? "replace" : "move");
    return reinterpret_cast<decltype(&MoveFileExW)>(systemMove)(from, to, flags);
}

// Points this exe's import of the named system call at another function; the system's address, 0 if none.
ULONG_PTR redirect(const char *name, ULONG_PTR to)
{
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleW(nullptr));
    const auto *headers = reinterpret_cast<IMAGE_NT_HEADERS *>(base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto *library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports); library->Name; ++library) {
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + library->OriginalFirstThunk);
        auto *slot = reinterpret_cast<IMAGE_THUNK_DATA *>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                || std::strcmp(reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData)->Name, name))
                continue;
            DWORD was = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &was);
            const ULONG_PTR system = slot->u1.Function;
            slot->u1.Function = to;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, was, &was);
            return system;
        }
    }
    return 0;
}

// The new report is on the disk before it takes the old one's place: a crash between leaves the old one.
TEST(SaveWindows, FlushedBeforeItReplacesTheOld)
{
    TempFolder work;
    systemFlush = redirect("FlushFileBuffers", reinterpret_cast<ULONG_PTR>(&flushSeen));
    systemMove = redirect("MoveFileExW", reinterpret_cast<ULONG_PTR>(&moveSeen));
    ASSERT_TRUE(systemFlush && systemMove);
    EXPECT_TRUE(ReportFile().deliver("old").written());
    EXPECT_TRUE(ReportFile().deliver("new").written());
    redirect("FlushFileBuffers", systemFlush);
    redirect("MoveFileExW", systemMove);
    EXPECT_EQ(calls, (std::vector<std::string>{"flush", "replace", "flush", "replace"}));
    EXPECT_EQ(readFile(ResultReport::fileName), "new");
}

} // namespace

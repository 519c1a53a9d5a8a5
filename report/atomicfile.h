#pragma once

#include <string>

// Replaces a file's whole content or leaves it exactly as it was: the bytes go
// to an unnamed file in the same folder, which is flushed to disk and gets the
// target's name only when everything was written, so that a killed program
// leaves no half-written file behind (where the file system has no unnamed
// files, a temporary one is renamed over the target). A symbolic link is written
// through to its target and stays a link. Where the folder forbids the replace
// but the file itself may be written (a folder the user cannot write, another
// user's file in a sticky folder), the file is overwritten in place instead.
// On Windows a temporary file is moved over the target, links are not followed
// and nothing is overwritten in place.
class AtomicFile
{
public:
    // Why a replace failed, as the system told it; the program words it.
    enum class Failure {
        None,
        AccessDenied, // the folder, or the file, may not be written
        DiskFull,
        QuotaExhausted,
        ReadOnlyFileSystem,
        FolderInTheWay, // a folder has the file's name
        FolderGone, // the folder to write into is not there
        LinkLoop,
        IoError,
        ReadOnlyReport, // the user made the existing file read-only
        ReportNotWritable, // the existing file belongs to someone who forbids it
        ReportInUse, // another program holds the existing file open (Windows)
        ReplaceForbidden, // the folder lets files be written but not replaced (Windows)
        PathTooLong,
        DownloadRefused, // the browser would not offer the report as a download
        Other,
    };

    struct Outcome
    {
        Failure failure = Failure::None;
        // The failing folder is that of a symbolic link's target, not the working folder.
        bool throughLink = false;
        // The system's error number (errno, or GetLastError on Windows).
        int systemError = 0;
        // The folder a failed save tried, absolute, as the user reached it (UTF-8 on Windows).
        std::string folder;

        bool written() const { return failure == Failure::None; }
    };

    static Outcome replace(const std::string &path, const std::string &bytes);
};

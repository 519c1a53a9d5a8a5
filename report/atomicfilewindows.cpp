#include "atomicfile.h"

#include <random>
#include <windows.h>

namespace {

using Failure = AtomicFile::Failure;

Failure failureFor(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return Failure::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Failure::DiskFull;
    case ERROR_WRITE_PROTECT:
        return Failure::ReadOnlyFileSystem;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return Failure::FolderGone;
    case ERROR_IO_DEVICE:
    case ERROR_CRC:
        return Failure::IoError;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Failure::ReportInUse;
    case ERROR_FILENAME_EXCED_RANGE:
        return Failure::PathTooLong;
    default:
        return Failure::Other;
    }
}

AtomicFile::Outcome failed(DWORD error)
{
    return {failureFor(error), false, static_cast<int>(error), {}};
}

// UTF-8 to the UTF-16 the W calls take; false on bytes that are no UTF-8.
bool toWide(const std::string &text, std::wstring &wide)
{
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    wide.resize(static_cast<std::size_t>(length));
    return ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length) == length;
}

// UTF-16 from the W calls to UTF-8; a lone surrogate becomes U+FFFD.
std::string toUtf8(const std::wstring &wide)
{
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// The folder part with its separator; empty for the working folder.
std::wstring folderOf(const std::wstring &path)
{
    const auto separator = path.find_last_of(L"\\/:");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// The folder of path, absolute, with no separator at its end but a drive's own.
std::string folderShown(const std::wstring &path)
{
    const std::wstring folder = folderOf(path).empty() ? L"." : folderOf(path);
    std::wstring full(::GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr), L'\0');
    full.resize(::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    if (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/'))
        full.pop_back();
    return toUtf8(full);
}

// A file beside the report that did not exist before, open for writing.
HANDLE createFresh(const std::wstring &folder, std::wstring &name)
{
    static std::mt19937 random{std::random_device{}()};
    static constexpr wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < 100 && (tries == 0 || ::GetLastError() == ERROR_FILE_EXISTS); ++tries) {
        name = folder + L".mc_result.";
        for (int i = 0; i < 8; ++i)
            name += letters[random() % (sizeof letters / sizeof *letters - 1)];
        file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            break;
    }
    return file;
}

bool writeAll(HANDLE file, const std::string &bytes)
{
    const char *data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > 1u << 30 ? 1u << 30 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!::WriteFile(file, data, chunk, &written, nullptr))
            return false;
        data += written;
        left -= written;
    }
    return true;
}

// Why an existing report could not be replaced: another program holds it open
// (without letting others delete it), it may not be written, or it may be
// written but the folder forbids replacing it.
Failure whyNotReplaced(const std::wstring &path)
{
    constexpr DWORD anySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE probe = ::CreateFileW(path.c_str(), DELETE, anySharing, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE && failureFor(::GetLastError()) == Failure::ReportInUse)
        return Failure::ReportInUse;
    if (probe != INVALID_HANDLE_VALUE) {
        ::CloseHandle(probe);
        return Failure::ReportNotWritable;
    }
    probe = ::CreateFileW(path.c_str(), GENERIC_WRITE, anySharing, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return failureFor(::GetLastError()) == Failure::ReportInUse ? Failure::ReportInUse : Failure::ReportNotWritable;
    ::CloseHandle(probe);
    return Failure::ReplaceForbidden;
}

// A path that does not fit into MAX_PATH fails as a missing folder in some calls.
AtomicFile::Outcome failedAt(const std::wstring &path, DWORD error)
{
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if ((error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) && length >= MAX_PATH)
        return {Failure::PathTooLong, false, static_cast<int>(error), {}};
    return failed(error);
}

AtomicFile::Outcome replaceAt(const std::wstring &path, const std::string &bytes)
{
    // A missing folder fails here with ERROR_PATH_NOT_FOUND.
    const DWORD existing = ::GetFileAttributesW(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return failedAt(path, ::GetLastError());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_DIRECTORY))
        return {Failure::FolderInTheWay, false, ERROR_DIRECTORY, {}};
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY))
        return {Failure::ReadOnlyReport, false, 0, {}};

    std::wstring temporary;
    const HANDLE file = createFresh(folderOf(path), temporary);
    if (file == INVALID_HANDLE_VALUE)
        return failedAt(temporary, ::GetLastError());
    bool ok = writeAll(file, bytes) && ::FlushFileBuffers(file);
    DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
    if (!::CloseHandle(file) && ok) {
        ok = false;
        error = ::GetLastError();
    }
    // The new bytes are on disk: only now may they take the report's name.
    if (ok && !::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        error = ::GetLastError();
    }
    if (ok)
        return {};
    ::DeleteFileW(temporary.c_str());
    // The folder took the new file, so what refuses is the report, or the replacing of it.
    if ((error == ERROR_ACCESS_DENIED || failureFor(error) == Failure::ReportInUse)
        && existing != INVALID_FILE_ATTRIBUTES)
        return {whyNotReplaced(path), false, static_cast<int>(error), {}};
    return failedAt(path, error);
}

} // namespace

AtomicFile::Outcome AtomicFile::replace(const std::string &fileName, const std::string &bytes)
{
    std::wstring path;
    Outcome outcome = toWide(fileName, path) ? replaceAt(path, bytes) : failed(::GetLastError());
    if (!outcome.written())
        outcome.folder = folderShown(path);
    return outcome;
}

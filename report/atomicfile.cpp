#include "atomicfile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Failure = AtomicFile::Failure;

Failure failureFor(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return Failure::AccessDenied;
    case ENOSPC:
        return Failure::DiskFull;
    case EDQUOT:
        return Failure::QuotaExhausted;
    case EROFS:
        return Failure::ReadOnlyFileSystem;
    case EISDIR:
        return Failure::FolderInTheWay;
    case ENOENT:
    case ENOTDIR:
        return Failure::FolderGone;
    case ELOOP:
        return Failure::LinkLoop;
    case EIO:
        return Failure::IoError;
    case ENAMETOOLONG:
        return Failure::PathTooLong;
    default:
        return Failure::Other;
    }
}

AtomicFile::Outcome failed(int error)
{
    return {failureFor(error), false, error, {}};
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

bool writeAll(int fd, const std::string &bytes, int &error)
{
    const char *data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// The file a path finally names, following symbolic links (relative ones from
// the link's folder); a dangling link names the file it would create.
bool resolveLinks(std::string &path, int &error)
{
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target);
        if (n < 0) {
            error = errno;
            return error == EINVAL || error == ENOENT; // not a link, or nothing there yet
        }
        if (static_cast<std::size_t>(n) == sizeof target) {
            error = ENAMETOOLONG;
            return false;
        }
        const std::string next(target, static_cast<std::size_t>(n));
        path = !next.empty() && next.front() == '/' ? next : folderOf(path) + next;
    }
    error = ELOOP;
    return false;
}

bool succeeded(int result, int &error)
{
    if (result != 0)
        error = errno;
    return result == 0;
}

// Flushes to disk and closes; the first failure is the one reported.
bool syncAndClose(int fd, bool ok, int &error)
{
    ok = ok && succeeded(::fsync(fd), error);
    const int closed = ::close(fd);
    return ok && succeeded(closed, error);
}

// Overwrites the file itself: not all-or-nothing, so only when a replace is
// impossible. Bytes first, then the cut, so that a full disk strikes as late as
// possible; no O_CREAT, so that only an existing file is written.
bool writeInPlace(const std::string &path, const std::string &bytes, int &error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return false;
    }
    const bool ok = writeAll(fd, bytes, error)
        && succeeded(::ftruncate(fd, static_cast<off_t>(bytes.size())), error);
    return syncAndClose(fd, ok, error);
}

// What keeps a file from being created or renamed in the folder, as opposed to
// what keeps the file itself from being written.
bool folderForbids(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

// Calls make with fresh random names beside the report until one is not taken;
// its result, with errno as make left it.
template<typename Make>
int withFreshName(const std::string &folder, std::string &name, Make make)
{
    static std::mt19937 random{std::random_device{}()};
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    int result = -1;
    for (int tries = 0; tries < 100 && (tries == 0 || errno == EEXIST); ++tries) {
        name = folder + ".mc_result.";
        for (int i = 0; i < 8; ++i)
            name += letters[random() % (sizeof letters - 1)];
        if ((result = make(name.c_str())) >= 0)
            break;
    }
    return result;
}

bool renameOver(const std::string &temporary, const std::string &path, int &error)
{
    if (succeeded(::rename(temporary.c_str(), path.c_str()), error))
        return true;
    ::unlink(temporary.c_str());
    return false;
}

// An unnamed file in the folder, which a kill leaves nowhere; -1 where the file
// system has none or /proc cannot give it a name later.
int openUnnamed(const std::string &folder)
{
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// Names the finished unnamed file: directly when nothing is there yet, else
// under a fresh name that replaces the report in one step.
bool giveName(int fd, const std::string &path, bool exists, int &error)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const auto linkAs = [&](const char *name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW);
    };
    if (!exists) {
        if (linkAs(path.c_str()) == 0)
            return true;
        if (errno != EEXIST) {
            error = errno;
            return false;
        }
    }
    std::string temporary;
    if (withFreshName(folderOf(path), temporary, linkAs) != 0) {
        error = errno;
        return false;
    }
    return renameOver(temporary, path, error);
}

// A replaced report's mode on the new file; a new one got 0666 less the umask
// from the kernel.
bool keepMode(int fd, const mode_t *keep, int &error)
{
    return !keep || succeeded(::fchmod(fd, *keep & 07777), error);
}

// Writes the bytes to a new file beside path and gives it path's name once they
// are on disk; keep is the mode of the report it replaces, if there is one.
bool writeAndName(const std::string &path, const std::string &bytes, const mode_t *keep, int &error)
{
    const std::string folder = folderOf(path);
    int fd = openUnnamed(folder);
    if (fd >= 0) {
        const bool ok = writeAll(fd, bytes, error) && keepMode(fd, keep, error)
            && succeeded(::fsync(fd), error) && giveName(fd, path, keep != nullptr, error);
        ::close(fd);
        return ok;
    }
    // Any failure of the unnamed file is retried the classic way, whose error names the cause.
    std::string temporary;
    fd = withFreshName(folder, temporary, [](const char *name) {
        return ::open(name, O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    });
    if (fd < 0) {
        error = errno;
        return false;
    }
    if (syncAndClose(fd, writeAll(fd, bytes, error) && keepMode(fd, keep, error), error))
        return renameOver(temporary, path, error);
    ::unlink(temporary.c_str());
    return false;
}

// Replaces the file path finally names; path becomes that name.
AtomicFile::Outcome replaceLinked(std::string &path, const std::string &bytes)
{
    int error = 0;
    if (!resolveLinks(path, error))
        return failed(error);
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return failed(errno);
    if (exists && S_ISDIR(existing.st_mode))
        return failed(EISDIR);
    // The permission bits say whether the user protected the report, also for root.
    if (exists && (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return {Failure::ReadOnlyReport, false, 0, {}};
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return errno == EACCES ? AtomicFile::Outcome{Failure::ReportNotWritable, false, EACCES, {}} : failed(errno);

    if (writeAndName(path, bytes, exists ? &existing.st_mode : nullptr, error))
        return {};
    // A folder the user may not write, or a sticky one holding another user's
    // report, forbids the replace but may leave the report itself writable.
    if (exists && folderForbids(error) && writeInPlace(path, bytes, error))
        return {};
    return failed(error);
}

// The working folder as the user reached it: $PWD where it names it, as a shell
// keeps the links the user went through there; else its real path, also the
// one the kernel keeps for a removed folder.
std::filesystem::path workingFolder()
{
    struct stat here {}, there {};
    const char *pwd = std::getenv("PWD");
    if (pwd && *pwd == '/' && ::stat(".", &here) == 0 && ::stat(pwd, &there) == 0 && here.st_dev == there.st_dev
        && here.st_ino == there.st_ino)
        return pwd;
    std::error_code error;
    if (auto real = std::filesystem::current_path(error); !error)
        return real;
    std::string kept = std::filesystem::read_symlink("/proc/self/cwd", error).string();
    if (const std::string removed = " (deleted)"; kept.ends_with(removed))
        kept.resize(kept.size() - removed.size());
    return kept;
}

// The folder of path, absolute: path's folders from the working folder, or from / if path is absolute.
std::string folderShown(const std::string &path)
{
    std::filesystem::path folder = workingFolder();
    for (const auto &part : std::filesystem::path(path).parent_path())
        if (part != ".")
            folder /= part;
    return folder.string();
}

} // namespace

AtomicFile::Outcome AtomicFile::replace(const std::string &fileName, const std::string &bytes)
{
    std::string path = fileName;
    Outcome outcome = replaceLinked(path, bytes);
    // Through a symbolic link the folder that fails may not be the working folder.
    outcome.throughLink = path != fileName;
    if (!outcome.written())
        outcome.folder = folderShown(path);
    return outcome;
}

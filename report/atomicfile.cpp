#include "atomicfile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string reasonFor(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "Keine Schreibberechtigung im Arbeitsordner.";
    case ENOSPC:
    case EDQUOT:
        return "Der Datenträger ist voll.";
    case EROFS:
        return "Das Dateisystem ist schreibgeschützt.";
    case EISDIR:
        return "Unter diesem Namen besteht bereits ein Ordner.";
    case ENOENT:
    case ENOTDIR:
        return "Der Arbeitsordner ist nicht mehr vorhanden.";
    case ELOOP:
        return "Die symbolische Verknüpfung führt im Kreis.";
    case EIO:
        return "Ein Ein-/Ausgabefehler ist aufgetreten.";
    default:
        return std::string("Systemfehler ") + std::to_string(error) + ".";
    }
}

AtomicFile::Outcome failure(std::string reason)
{
    return {false, std::move(reason)};
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

// Flushes to disk and closes; the first failure is the one reported.
bool syncAndClose(int fd, bool ok, int &error)
{
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    return ok;
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
    bool ok = writeAll(fd, bytes, error);
    if (ok && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
        ok = false;
    }
    return syncAndClose(fd, ok, error);
}

// What keeps a temporary file from being created or renamed in the folder, as
// opposed to what keeps the file itself from being written.
bool folderForbids(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

// New files get the mode a plain create would give them; a replaced file keeps its own.
mode_t modeFor(const struct stat *existing)
{
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

AtomicFile::Outcome AtomicFile::replace(const std::string &fileName, const std::string &bytes)
{
    std::string path = fileName;
    int error = 0;
    if (!resolveLinks(path, error))
        return failure(reasonFor(error));
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failure(reasonFor(EISDIR));
    // The permission bits say whether the user protected the report, also for root.
    if (exists && ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0
                   || ::access(path.c_str(), W_OK) != 0))
        return failure("Die vorhandene Datei ist schreibgeschützt.");

    std::string temporary = folderOf(path) + ".mc_result.XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error = errno;
        if (exists && folderForbids(error) && writeInPlace(path, bytes, error))
            return {true, {}};
        return failure(reasonFor(error));
    }

    bool ok = writeAll(fd, bytes, error);
    if (ok && ::fchmod(fd, modeFor(exists ? &existing : nullptr)) != 0) {
        error = errno;
        ok = false;
    }
    ok = syncAndClose(fd, ok, error);
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0)
        return {true, {}};
    const bool renameFailed = ok;
    if (renameFailed)
        error = errno;
    ::unlink(temporary.c_str());
    // A sticky folder lets the user create files there but not replace another user's.
    if (renameFailed && exists && folderForbids(error) && writeInPlace(path, bytes, error))
        return {true, {}};
    return failure(reasonFor(error));
}

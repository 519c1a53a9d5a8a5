#include "atomicfile.h"

#include <cerrno>
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

AtomicFile::Outcome AtomicFile::replace(const std::string &path, const std::string &bytes)
{
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
    if (fd < 0)
        return failure(reasonFor(errno));

    int error = 0;
    bool ok = writeAll(fd, bytes, error);
    if (ok && ::fchmod(fd, modeFor(exists ? &existing : nullptr)) != 0) {
        error = errno;
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return failure(reasonFor(error));
    }
    return {true, {}};
}

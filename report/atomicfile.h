#pragma once

#include <string>

// Replaces a file's whole content or leaves it exactly as it was: the bytes go
// to a temporary file in the same folder, which is flushed to disk and renamed
// over the target only when everything was written.
class AtomicFile
{
public:
    struct Outcome
    {
        bool written = false;
        std::string reason; // German, UTF-8; empty when written
    };

    static Outcome replace(const std::string &path, const std::string &bytes);
};

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

#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

namespace fs = std::filesystem;

// Each path under folder with the first 9 bytes of each file, a line each.
inline std::string listing(const fs::path &folder)
{
    std::string all;
    for (const auto &item : fs::recursive_directory_iterator(folder))
        all += item.path().string() + ":" + (item.is_regular_file() ? readFile(item.path()).substr(0, 9) : "") + "\n";
    return all;
}

// The report goes to the working folder: a fresh one in the system's temporary folder while this lives.
struct TempFolder
{
    fs::path previous = fs::current_path();
    fs::path path = fresh();
    TempFolder() { fs::current_path(path); }
    ~TempFolder()
    {
        fs::current_path(previous);
        // Tests take permissions away inside, and a read-only file stays on Windows: give them back so that all of
        // it goes; nothing may throw out of here.
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (const auto &item : fs::recursive_directory_iterator(path, ignored))
            fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path, ignored);
    }
    static fs::path fresh()
    {
        std::random_device random;
        fs::path folder;
        do
            folder = fs::temp_directory_path() / ("mc-test-" + std::to_string(random()));
        while (!fs::create_directory(folder));
        return folder;
    }
};

// The report of a body of radius 200 in two dimensions, byte for byte.
inline std::string reportBytes(const char *volume, const char *shots, const char *hits, const char *percent,
                               const char *variance, const char *pi)
{
    return std::string("Monte Carlo Simulation: Auswertung\r\n--------------------------------------\r\n\r\n"
                       "> K\xF6rper:\r\n\r\n  Radius:      200\r\n  Dimensionen: 2\r\n  Kreisfl\xE4" "che: ")
        + volume + "\r\n\r\n> Simulation:\r\n\r\n  geschossen (n):                " + shots
        + "\r\n  getroffen  (m):                " + hits + "\r\n  Trefferwahrscheinlichkeit (p): " + percent
        + " %\r\n  Varianz:                       " + variance + "\r\n\r\n  PI:  " + pi;
}

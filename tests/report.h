#pragma once

#include <fstream>
#include <iterator>
#include <string>

inline std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

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

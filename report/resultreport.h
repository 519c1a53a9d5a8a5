#pragma once

#include "atomicfile.h"

#include <string>

// Writes the snapshot of a run to "mc_result.txt" in the working directory:
// Windows-1252 bytes, CR LF line ends, no line end after the last line.
class ResultReport
{
public:
    static constexpr const char *fileName = "mc_result.txt";

    using Outcome = AtomicFile::Outcome;

    // The hit ratio comes as a fraction and is written as a percentage. A failed
    // write leaves an existing report untouched and says why.
    Outcome write(int radius, int dimensions, double volume, double shots, double hits,
                  double hitRatio, double variance, double pi) const;

    // The exact bytes of the report.
    static std::string compose(int radius, int dimensions, double volume, double shots,
                               double hits, double hitRatio, double variance, double pi);
};

#pragma once

#include "atomicfile.h"
#include "runsummary.h"

#include <string>

// Writes the snapshot of a run to "mc_result.txt" in the working directory:
// Windows-1252 bytes, CR LF line ends, no line end after the last line.
namespace ResultReport {

inline constexpr const char *fileName = "mc_result.txt";

// Through the desktops' sink (ReportFile): a failed write leaves an existing
// report untouched and says why.
AtomicFile::Outcome write(const RunSummary &run);

// The exact bytes of the report.
std::string compose(const RunSummary &run);

} // namespace ResultReport

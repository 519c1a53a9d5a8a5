#pragma once

#include "reportsink.h"

// The desktops' sink: the report replaces "mc_result.txt" in the working
// folder whole or not at all (see AtomicFile).
class ReportFile : public ReportSink
{
public:
    AtomicFile::Outcome deliver(std::string_view bytes) override;
};

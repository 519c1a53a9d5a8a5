#pragma once

#include "reportsink.h"

// The saved report as a download the browser offers under the report's file name.
class DownloadSink : public ReportSink
{
public:
    AtomicFile::Outcome deliver(std::string_view bytes) override;
};

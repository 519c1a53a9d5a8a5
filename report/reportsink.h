#pragma once

#include "atomicfile.h"

#include <string_view>

// Where a saved report goes: the file in the working folder on a desktop, a
// download in a browser. It gets the report's exact bytes and says how the
// delivery went, in the terms the save's messages are worded from.
class ReportSink
{
public:
    virtual ~ReportSink() = default;

    virtual AtomicFile::Outcome deliver(std::string_view bytes) = 0;
};

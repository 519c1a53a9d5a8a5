#include "reportfile.h"

#include "resultreport.h"

AtomicFile::Outcome ReportFile::deliver(std::string_view bytes)
{
    return AtomicFile::replace(ResultReport::fileName, std::string(bytes));
}

#include "resultreport.h"

#include "numbertext.h"
#include "reportfile.h"

namespace {
constexpr const char *crlf = "\r\n";
}

namespace ResultReport {

std::string compose(const RunSummary &run)
{
    std::string text;
    text.reserve(512);
    text += "Monte Carlo Simulation: Auswertung\r\n";
    text += std::string(38, '-') + "\r\n\r\n";
    text += "> K\xF6rper:\r\n\r\n";
    text += "  Radius:      " + NumberText::integer(run.radius) + crlf;
    text += "  Dimensionen: " + NumberText::integer(run.dimensions) + crlf;
    text += "  Kreisfl\xE4" "che: " + NumberText::printfFixed(run.volume, 5) + "\r\n\r\n";
    text += "> Simulation:\r\n\r\n";
    text += "  geschossen (n):" + std::string(16, ' ') + NumberText::printfFixed(run.shots, 0) + crlf;
    text += "  getroffen  (m):" + std::string(16, ' ') + NumberText::printfFixed(run.hits, 0) + crlf;
    text += "  Trefferwahrscheinlichkeit (p): " + NumberText::printfFixed(run.hitRatio * 100.0, 10)
        + " %\r\n";
    text += "  Varianz:" + std::string(23, ' ') + NumberText::printfFixed(run.variance, 10)
        + "\r\n\r\n";
    text += "  PI:  " + NumberText::printfFixed(run.pi, 15);
    return text;
}

AtomicFile::Outcome write(const RunSummary &run)
{
    return ReportFile().deliver(compose(run));
}

} // namespace ResultReport

#include "resultreport.h"

#include "numbertext.h"

namespace {
constexpr const char *crlf = "\r\n";
}

std::string ResultReport::compose(int radius, int dimensions, double volume, double shots,
                                  double hits, double hitRatio, double variance, double pi)
{
    std::string text;
    text.reserve(512);
    text += "Monte Carlo Simulation: Auswertung\r\n";
    text += std::string(38, '-') + "\r\n\r\n";
    text += "> K\xF6rper:\r\n\r\n";
    text += "  Radius:      " + NumberText::integer(radius) + crlf;
    text += "  Dimensionen: " + NumberText::integer(dimensions) + crlf;
    text += "  Kreisfl\xE4" "che: " + NumberText::printfFixed(volume, 5) + "\r\n\r\n";
    text += "> Simulation:\r\n\r\n";
    text += "  geschossen (n):" + std::string(16, ' ') + NumberText::printfFixed(shots, 0) + crlf;
    text += "  getroffen  (m):" + std::string(16, ' ') + NumberText::printfFixed(hits, 0) + crlf;
    text += "  Trefferwahrscheinlichkeit (p): " + NumberText::printfFixed(hitRatio * 100.0, 10)
        + " %\r\n";
    text += "  Varianz:" + std::string(23, ' ') + NumberText::printfFixed(variance, 10)
        + "\r\n\r\n";
    text += "  PI:  " + NumberText::printfFixed(pi, 15);
    return text;
}

ResultReport::Outcome ResultReport::write(int radius, int dimensions, double volume, double shots,
                                          double hits, double hitRatio, double variance,
                                          double pi) const
{
    return AtomicFile::replace(fileName, compose(radius, dimensions, volume, shots, hits,
                                                 hitRatio, variance, pi));
}

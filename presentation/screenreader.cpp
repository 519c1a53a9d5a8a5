#include "screenreader.h"

#include "body.h"

namespace ScreenReader {

std::string shotDescription(const Body &body, bool running, long long plotted)
{
    const std::string figure = "Quadrat mit Kreis, Radius " + std::to_string(body.radius()) + " px";
    if (!running)
        return figure + ", kein Durchlauf aktiv, keine Punkte gezeichnet";
    return figure + ", Durchlauf aktiv, " + std::to_string(plotted) + (plotted == 1 ? " Punkt" : " Punkte")
        + " gezeichnet";
}

} // namespace ScreenReader

#include "screenreader.h"

#include "body.h"
#include "numbertext.h"
#include "session.h"
#include "sessionstate.h"
#include "spokentext.h"
#include "textbuffer.h"

namespace ScreenReader {

std::string shotDescription(const Session &session, long long plotted)
{
    const Body &body = session.state().body;
    const bool running = session.running();
    const std::string figure = "Quadrat mit Kreis, Radius " + SpokenText::read(std::to_string(body.radius()) + " px");
    if (!running)
        return figure + ", kein Durchlauf aktiv, keine Punkte gezeichnet";
    return figure + ", Durchlauf aktiv, " + std::to_string(plotted) + (plotted == 1 ? " Punkt" : " Punkte")
        + " gezeichnet";
}

std::string progress(const Session &session)
{
    const Simulation &run = session.state().simulation;
    const std::string shots = SpokenText::read(NumberText::fixed(run.shots(), 0)) + (run.shots() == 1 ? " Punkt" : " Punkte");
    if (run.autoStop())
        return "Durchlauf läuft, " + shots + " geschossen.";
    return "Durchlauf bei " + std::to_string(run.progressPercent()) + " Prozent, " + shots + " geschossen.";
}

std::string announcement(const Session &session)
{
    if (session.running())
        return "Durchlauf gestartet.";
    const Simulation &run = session.state().simulation;
    const auto number = [](double value, int decimals) {
        return SpokenText::read(NumberText::bounded(NumberText::fixed(value, decimals), value, TextBuffer::maxLength, 3));
    };
    std::string found;
    if (session.state().body.dimensions() == 2) {
        found = "Pi " + number(session.state().pi.value(), 15);
    } else {
        Body body = session.state().body;
        body.updateVolume(run.hitRatio());
        found = "Volumen " + number(body.volume(), 3) + " " + SpokenText::read("px^" + std::to_string(body.dimensions()));
    }
    const char *points = run.shots() == 1 ? " Punkt" : " Punkte";
    // No colon: a reader speaks it as a word.
    return "Durchlauf beendet, " + number(run.shots(), 0) + points + " geschossen, " + number(run.hits(), 0)
        + " Treffer, " + found + ".";
}

} // namespace ScreenReader

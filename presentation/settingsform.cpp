#include "settingsform.h"

#include "fieldtext.h"
#include "session.h"
#include "textbuffer.h"

#include <string_view>

namespace {

using Kind = DialogControl::Kind;

// What a field contributes: as much as the shared text buffer holds.
std::string_view buffered(const std::string &text)
{
    return std::string_view(text).substr(0, TextBuffer::maxLength);
}

SettingsForm::Refusal refused(int field, const char *caption, const char *text)
{
    return {{caption, text, true}, field};
}

} // namespace

const std::array<DialogControl, 16> SettingsForm::controls{{
    {TargetShots, Kind::Edit, "", {13, 33, 114, 14}, "targetShots", 0, true},
    {AutoStop, Kind::CheckBox, "automatisch festlegen (über Varianz)", {13, 53, 130, 10}, "autoStop"},
    {Threshold, Kind::Edit, "", {72, 66, 56, 12}, "threshold"},
    {MinShots, Kind::Edit, "", {63, 84, 29, 12}, "minShots", 0, true},
    {Radius, Kind::Edit, "", {40, 129, 35, 12}, "radius", 5},
    {Dimensions, Kind::Edit, "", {147, 129, 31, 12}, "dimensions", 2, true},
    {Ok, Kind::DefaultButton, "OK", {7, 157, 50, 14}, "okButton"},
    {Cancel, Kind::Button, "Abbrechen", {142, 157, 50, 14}, "cancelButton"},
    {-1, Kind::GroupBox, "", {7, 7, 185, 103}},
    {-1, Kind::Label, "Anzahl der zu schießenden Punkte:", {14, 17, 113, 8}, "", 0, false, TargetShots},
    {-1, Kind::GroupBox, "Körper", {7, 116, 185, 34}},
    {-1, Kind::Label, "Dimensionen:", {101, 132, 44, 8}, "", 0, false, Dimensions},
    {-1, Kind::Label, "Radius:", {13, 131, 25, 8}, "", 0, false, Radius},
    {-1, Kind::Label, "Abbruchwert:", {25, 68, 43, 8}, "", 0, false, Threshold},
    {-1, Kind::Label, "mindestens", {24, 87, 36, 8}, "", 0, false, MinShots},
    {-1, Kind::Label, "Durchläufe", {96, 87, 36, 8}, "", 0, false, MinShots},
}};

SettingsForm::SettingsForm(Session &session)
    : m_session(session)
{
}

SettingsForm::Entries SettingsForm::shown() const
{
    const Simulation &simulation = m_session.simulation();
    const Body &body = m_session.body();
    return {
        .targetShots = FieldText::formatFixed(simulation.targetShots(), 0),
        .autoStop = simulation.autoStop(),
        .threshold = FieldText::formatFixed(simulation.threshold(), 10),
        .minShots = FieldText::formatInt(simulation.minShots()),
        .radius = FieldText::formatInt(body.radius()),
        .dimensions = FieldText::formatInt(body.dimensions()),
    };
}

bool SettingsForm::enabled(int id, bool automatic)
{
    switch (id) {
    case TargetShots:
        return !automatic;
    case Threshold:
    case MinShots:
        return automatic;
    default:
        return true;
    }
}

std::optional<SettingsForm::Refusal> SettingsForm::accept(const Entries &entries)
{
    Simulation &simulation = m_session.m_simulation;
    Body &body = m_session.m_body;

    const double targetShots = FieldText::toDouble(buffered(entries.targetShots));
    if (targetShots > maxTargetShots)
        return refused(TargetShots, "Fehler: Anzahl", "Anzahl zu groß!\nHöchstens 9007199254740992 Punkte verwenden.");
    simulation.setTargetShots(targetShots);

    const int dimensions = FieldText::toInt(buffered(entries.dimensions));
    if (dimensions < minDimensions)
        return refused(Dimensions, "Fehler: Dimensionen", "Dimensionen zu klein!\nMindestens 1 Dimension verwenden.");
    body.setDimensions(dimensions);

    const int radius = FieldText::toInt(buffered(entries.radius));
    if (radius > maxRadius)
        return refused(Radius, "Fehler: Radius", "Radius zu groß!\nRadius darf maximal 32000 betragen.");
    if (radius < minRadius)
        return refused(Radius, "Fehler: Radius", "Radius zu klein!\nRadius muss mindestens 1 betragen.");
    body.setRadius(radius);

    simulation.setThreshold(FieldText::toDouble(buffered(entries.threshold)));
    simulation.setMinShots(FieldText::toInt(buffered(entries.minShots)));
    simulation.setAutoStop(entries.autoStop);
    return std::nullopt;
}

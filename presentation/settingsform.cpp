#include "settingsform.h"

#include "fieldtext.h"
#include "session.h"
#include "sessionstate.h"
#include "spokentext.h"
#include "textbuffer.h"

#include <string_view>
#include <utility>

namespace {

// Each field and where its text is kept.
constexpr std::pair<int, std::string SettingsForm::Entries::*> fields[] = {
    {SettingsForm::TargetShots, &SettingsForm::Entries::targetShots},
    {SettingsForm::Threshold, &SettingsForm::Entries::threshold},
    {SettingsForm::MinShots, &SettingsForm::Entries::minShots},
    {SettingsForm::Radius, &SettingsForm::Entries::radius},
    {SettingsForm::Dimensions, &SettingsForm::Entries::dimensions},
};

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

SettingsForm::SettingsForm(Session &session)
    : m_session(session)
{
}

SettingsForm::Entries SettingsForm::shown() const
{
    const Simulation &simulation = m_session.state().simulation;
    const Body &body = m_session.state().body;
    return {
        .targetShots = FieldText::formatFixed(simulation.targetShots(), 0),
        .autoStop = simulation.autoStop(),
        .threshold = FieldText::formatFixed(simulation.threshold(), 10),
        .minShots = FieldText::formatInt(simulation.minShots()),
        .radius = FieldText::formatInt(body.radius()),
        .dimensions = FieldText::formatInt(body.dimensions()),
    };
}

void SettingsForm::open(DialogPort &dialog) const
{
    const Entries values = shown();
    for (const auto &[id, text] : fields)
        dialog.setText(id, values.*text);
    dialog.setChecked(AutoStop, values.autoStop);
    enableFor(dialog, values.autoStop);
    dialog.focus(firstFocus(values.autoStop));
}

void SettingsForm::toggled(DialogPort &dialog)
{
    enableFor(dialog, dialog.checked(AutoStop));
}

void SettingsForm::enableFor(DialogPort &dialog, bool automatic)
{
    for (const auto &[id, text] : fields)
        dialog.enable(id, enabled(id, automatic));
}

void SettingsForm::ok(DialogPort &dialog)
{
    Entries entries;
    for (const auto &[id, text] : fields)
        entries.*text = dialog.text(id);
    entries.autoStop = dialog.checked(AutoStop);
    const std::optional<Refusal> refusal = accept(entries);
    if (!refusal) {
        dialog.end(true);
        return;
    }
    dialog.warn(refusal->warning); // the dialog stays open
    if (enabled(refusal->field, entries.autoStop)) {
        dialog.focus(refusal->field);
        dialog.selectAll(refusal->field);
    }
}

void SettingsForm::cancel(DialogPort &dialog)
{
    dialog.end(false);
}

std::string SettingsForm::fieldName(int id)
{
    std::string name;
    for (const DialogControl &control : controls) {
        if (control.kind == Kind::CheckBox && control.id == id)
            return SpokenText::read(control.text);
        if (control.kind != Kind::Label || control.buddy != id)
            continue;
        if (!name.empty())
            name += ' ';
        name += SpokenText::read(control.text);
    }
    return name;
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
    Simulation &simulation = m_session.changeable().simulation;
    Body &body = m_session.changeable().body;

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

// The dialogs' procedures as every front end runs them, through a dialog that writes down each call.

#include "aboutbox.h"
#include "recordingdialog.h"
#include "session.h"
#include "settings.h"
#include "settingsform.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>

namespace {

using Id = SettingsForm::Id;

// What the session holds: count, dimensions, radius, threshold, minimum, mode.
std::string stored(const Session &s)
{
    std::ostringstream out;
    out << s.simulation().targetShots() << ' ' << s.body().dimensions() << ' ' << s.body().radius() << ' '
        << s.simulation().threshold() << ' ' << s.simulation().minShots() << ' '
        << (s.simulation().autoStop() ? "automatic" : "manual");
    return out.str();
}

TEST(SettingsDialog, Opens)
{
    const std::string values = "setText 1008 50000; setText 1013 0.0000050000; setText 1014 50; setText 1012 200; setText 1011 2; ";
    const struct { const char *name; bool automatic; std::string calls; } rows[] = {
        {"automatic: the count disabled, the check box focused", true, values + "setChecked 1010 on; enable 1008 off; "
         "enable 1013 on; enable 1014 on; enable 1012 on; enable 1011 on; focus 1010; "},
        {"manual: threshold and minimum disabled, the count focused", false, values + "setChecked 1010 off; "
         "enable 1008 on; enable 1013 off; enable 1014 off; enable 1012 on; enable 1011 on; focus 1008; "},
    };
    for (const auto &row : rows) {
        Session s;
        configure(s, [&](SettingsForm::Entries &e) { e.autoStop = row.automatic; });
        RecordingDialog dialog;
        SettingsForm(s).open(dialog);
        EXPECT_EQ(dialog.calls, row.calls) << row.name;
    }
}

TEST(SettingsDialog, CheckBoxEnablesTheModesFields)
{
    const struct { const char *name; bool checked; std::string calls; } rows[] = {
        {"cleared: the count", false, "enable 1008 on; enable 1013 off; enable 1014 off; enable 1012 on; enable 1011 on; "},
        {"checked: threshold and minimum", true, "enable 1008 off; enable 1013 on; enable 1014 on; enable 1012 on; enable 1011 on; "},
    };
    for (const auto &row : rows) {
        RecordingDialog dialog;
        dialog.click(Id::AutoStop, row.checked);
        SettingsForm::toggled(dialog);
        EXPECT_EQ(dialog.calls, row.calls) << row.name;
    }
}

// OK with what was typed over the shown values: each field read, enabled or not; the first refusal warns and
// its field, where enabled, takes the keyboard selected; what was stored before it stays.
TEST(SettingsDialog, Ok)
{
    const struct { const char *name; bool automatic; std::map<int, std::string> typed; std::string calls, stored; } rows[] = {
        {"count beyond 2^53: nothing stored", false, {{Id::TargetShots, "1e16"}, {Id::Dimensions, "0"}, {Id::Radius, "0"}},
         "warn Fehler: Anzahl; focus 1008; selectAll 1008; ", "50000 2 200 5e-06 50 automatic"},
        {"count beyond 2^53 while automatic: its disabled field not focused", true, {{Id::TargetShots, "1e16"}},
         "warn Fehler: Anzahl; ", "50000 2 200 5e-06 50 automatic"},
        {"dimensions 0: the count stays stored", false, {{Id::TargetShots, "123"}, {Id::Dimensions, "0"}, {Id::Radius, "0"}},
         "warn Fehler: Dimensionen; focus 1011; selectAll 1011; ", "123 2 200 5e-06 50 automatic"},
        {"radius 0: threshold and minimum after it not stored", true,
         {{Id::Dimensions, "3"}, {Id::Radius, "0"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}},
         "warn Fehler: Radius; focus 1012; selectAll 1012; ", "50000 3 200 5e-06 50 automatic"},
        {"all taken, the disabled fields too: the dialog ends", false,
         {{Id::TargetShots, "123"}, {Id::Dimensions, "3"}, {Id::Radius, "5"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}},
         "end ok; ", "123 3 5 1 7 manual"},
    };
    for (const auto &row : rows) {
        Session s;
        SettingsForm form(s);
        RecordingDialog dialog;
        form.open(dialog);
        dialog.calls.clear();
        dialog.click(Id::AutoStop, row.automatic);
        for (const auto &[id, text] : row.typed)
            dialog.type(id, text);
        form.ok(dialog);
        EXPECT_EQ(std::pair(dialog.calls, stored(s)), std::pair(row.calls, row.stored)) << row.name;
    }
}

// A field between two labels is named by both.
TEST(SettingsDialog, FieldNames)
{
    const struct { Id field; const char *name; } rows[] = {
        {Id::TargetShots, "Anzahl der zu schießenden Punkte:"},
        {Id::Threshold, "Abbruchwert:"},
        {Id::MinShots, "mindestens Durchläufe"},
        {Id::Radius, "Radius:"},
        {Id::Dimensions, "Dimensionen:"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(SettingsForm::fieldName(row.field), row.name);
}

// Windows names a field after the static text right before it in the template.
TEST(SettingsDialog, EachFieldRightAfterItsLabel)
{
    const auto &controls = SettingsForm::controls;
    for (std::size_t row = 0; row < controls.size(); ++row) {
        if (controls[row].kind != DialogControl::Kind::Edit)
            continue;
        EXPECT_TRUE(row > 0 && controls[row - 1].kind == DialogControl::Kind::Label
                    && controls[row - 1].buddy == controls[row].id) << controls[row].name;
    }
}

TEST(Dialogs, OpenAndEnd)
{
    const struct { const char *name; std::function<void(DialogPort &)> step; std::string calls; } rows[] = {
        {"settings: Abbrechen", SettingsForm::cancel, "end cancelled; "},
        {"about opens at OK", AboutBox::open, "focus 1; "},
        {"about: OK", AboutBox::ok, "end ok; "},
        {"about: Escape or close does nothing", AboutBox::cancel, ""},
    };
    for (const auto &row : rows) {
        RecordingDialog dialog;
        row.step(dialog);
        EXPECT_EQ(dialog.calls, row.calls) << row.name;
    }
}

// The about dialog read whole as it opens, in reading order, its two-line sentence as one (Orca read only the first text).
TEST(Dialogs, AboutReadWhole)
{
    EXPECT_EQ(AboutBox::spokenText(), std::string("Monte Carlo. ") + Release::versionText + ". " + Release::home
                  + ". Eine Programmbeschreibung sowie Hilfe befinden sich auf der Homepage. " + Release::monthText + ".");
}

} // namespace

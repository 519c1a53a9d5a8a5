// The dialogs' procedures as every front end runs them, through a dialog that writes down each call.

#include "aboutbox.h"
#include "recordingdialog.h"
#include "session.h"
#include "settings.h"
#include "settingsform.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

namespace {

using Id = SettingsForm::Id;

// The fields each mode enables: automatic, threshold and minimum; manual, the count.
const std::string automaticFields = "enable 1008 off; enable 1013 on; enable 1014 on; enable 1012 on; enable 1011 on; ";
const std::string manualFields = "enable 1008 on; enable 1013 off; enable 1014 off; enable 1012 on; enable 1011 on; ";

TEST(SettingsDialog, Opens)
{
    const std::string values = "setText 1008 50000; setText 1013 0.0000050000; setText 1014 50; setText 1012 200; setText 1011 2; ";
    const std::string automatic = "setChecked 1010 on; " + automaticFields + "focus 1010; ";
    const struct { const char *name; std::function<void(SettingsForm::Entries &)> change; std::string calls; } rows[] = {
        {"automatic: the count disabled, the check box focused", [](auto &) {}, values + automatic},
        {"manual: threshold and minimum disabled, the count focused", [](auto &e) { e.autoStop = false; },
         values + "setChecked 1010 off; " + manualFields + "focus 1008; "},
        {"a pasted fraction shown rounded, a large threshold in exponent form",
         [](auto &e) { e.targetShots = "10.7"; e.threshold = "1e300"; },
         "setText 1008 11; setText 1013 1e+300; setText 1014 50; setText 1012 200; setText 1011 2; " + automatic},
    };
    for (const auto &row : rows) {
        Session s;
        configure(s, row.change);
        RecordingDialog dialog;
        SettingsForm(s).open(dialog);
        EXPECT_EQ(dialog.calls, row.calls) << row.name;
    }
}

// OK with what was typed over the shown values, the number of points "123" and the dimensions "3" unless typed
// otherwise: each field read, enabled or not, checked and stored in order; the first refusal warns and its field,
// where enabled, takes the keyboard selected; what was stored before it stays; the mode is stored last. How a
// field's text converts to a number is FieldText's, checked by the fuzz target from its seed inputs.
TEST(SettingsDialog, Ok)
{
    const std::string count = "warn Fehler: Anzahl|Anzahl zu groß!\nHöchstens 9007199254740992 Punkte verwenden.; ";
    const std::string dims = "warn Fehler: Dimensionen|Dimensionen zu klein!\nMindestens 1 Dimension verwenden.; "
                             "focus 1011; selectAll 1011; ";
    const std::string large = "warn Fehler: Radius|Radius zu groß!\nRadius darf maximal 32000 betragen.; "
                              "focus 1012; selectAll 1012; ";
    const std::string small = "warn Fehler: Radius|Radius zu klein!\nRadius muss mindestens 1 betragen.; "
                              "focus 1012; selectAll 1012; ";
    const std::string ok = "end ok; ", nines(99999, '9');
    const struct { const char *name; bool automatic; std::map<int, std::string> typed; std::string calls; Stored stored; } rows[] = {
        {"count 2^53", false, {{Id::TargetShots, "9007199254740992"}}, ok, {9007199254740992, 3, 200, 5e-06, 50, false}},
        {"the next count above, as an exponent, before the dimensions: nothing stored", false,
         {{Id::TargetShots, "9.007199254740994e15"}, {Id::Dimensions, "0"}, {Id::Radius, "0"}},
         count + "focus 1008; selectAll 1008; ", {50000, 2, 200, 5e-06, 50, true}},
        {"count beyond 2^53 while automatic: its disabled field not focused", true, {{Id::TargetShots, "1e16"}}, count,
         {50000, 2, 200, 5e-06, 50, true}},
        {"threshold cut to the buffer's 299", true, {{Id::Threshold, nines}}, ok, {123, 3, 200, 1e+299, 50, true}},
        {"dimensions 00, before the radius: the count stays stored", false, {{Id::Dimensions, "00"}, {Id::Radius, "0"}},
         dims, {123, 2, 200, 5e-06, 50, true}},
        {"no radius", true, {{Id::Radius, ""}}, small, {123, 3, 200, 5e-06, 50, true}},
        {"a negative radius", true, {{Id::Radius, "-7"}}, small, {123, 3, 200, 5e-06, 50, true}},
        {"radius 0: threshold, minimum and mode after it not stored", false,
         {{Id::Radius, "0"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, small, {123, 3, 200, 5e-06, 50, true}},
        {"radius 32000", true, {{Id::Radius, "32000"}}, ok, {123, 3, 32000, 5e-06, 50, true}},
        {"radius 32001: threshold, minimum and mode after it not stored", false,
         {{Id::Radius, "32001"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, large, {123, 3, 200, 5e-06, 50, true}},
        {"all taken, the disabled fields too: the dialog ends", false,
         {{Id::Radius, "5"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, ok, {123, 3, 5, 1, 7, false}},
    };
    for (const auto &row : rows) {
        Session s;
        SettingsForm form(s);
        RecordingDialog dialog;
        form.open(dialog);
        dialog.calls.clear();
        dialog.click(Id::AutoStop, row.automatic);
        dialog.type(Id::TargetShots, "123");
        dialog.type(Id::Dimensions, "3");
        for (const auto &[id, text] : row.typed)
            dialog.type(id, text);
        form.ok(dialog);
        EXPECT_EQ(std::pair(dialog.calls, stored(s)), std::pair(row.calls, row.stored)) << row.name;
    }
}

// A field is named by its label as read aloud, one between two labels by both. (Every name: the Qt tab-order test.)
TEST(SettingsDialog, FieldNames)
{
    EXPECT_EQ(SettingsForm::fieldName(Id::Radius), "Radius");
    EXPECT_EQ(SettingsForm::fieldName(Id::MinShots), "mindestens Durchläufe");
    EXPECT_EQ(SettingsForm::fieldName(Id::AutoStop), "automatisch festlegen über Varianz");
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

// Each step on a fresh dialog, its check box cleared.
TEST(Dialogs, StepsOnTheirOwn)
{
    const auto checkedThenToggled = [](RecordingDialog &dialog) {
        dialog.click(Id::AutoStop, true);
        SettingsForm::toggled(dialog);
    };
    const struct { const char *name; std::function<void(RecordingDialog &)> step; std::string calls; } rows[] = {
        {"settings: the check box cleared enables the count", SettingsForm::toggled, manualFields},
        {"settings: checked, threshold and minimum", checkedThenToggled, automaticFields},
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

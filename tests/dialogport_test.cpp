// The dialogs' procedures as every front end runs them, through a dialog that writes down each call.

#include "aboutbox.h"
#include "recordingdialog.h"
#include "session.h"
#include "sessionstate.h"
#include "settings.h"
#include "settingsform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace {

using Id = SettingsForm::Id;

// A finite value's shortest text that reads back exactly, fixed where that is no longer, as std::to_chars writes
// it; from printf and strtod, as the web build's library has no to_chars for doubles.
std::string shortest(double value)
{
    const auto first = [value](bool fixed) {
        char text[400];
        for (int decimals = 0;; ++decimals)
            if (std::snprintf(text, sizeof text, fixed ? "%.*f" : "%.*e", decimals, value) > 0
                && std::strtod(text, nullptr) == value)
                return std::string(text);
    };
    const std::string fixed = first(true), scientific = first(false);
    return fixed.size() <= scientific.size() ? fixed : scientific;
}

// What the session holds, each number in its shortest exact form: count, dimensions, radius, threshold, minimum,
// mode.
std::string stored(const Session &s)
{
    const Simulation &sim = s.state().simulation;
    std::string all;
    for (const double value : {sim.targetShots(), double(s.state().body.dimensions()), double(s.state().body.radius()),
                               sim.threshold(), double(sim.minShots())})
        all += shortest(value) + ' ';
    return all + (sim.autoStop() ? "automatic" : "manual");
}

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
// where enabled, takes the keyboard selected; what was stored before it stays; the mode is stored last.
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
    const struct { const char *name; bool automatic; std::map<int, std::string> typed; std::string calls, stored; } rows[] = {
        {"the comma ends the number", false, {{Id::TargetShots, "0,5"}}, ok, "0 3 200 5e-06 50 manual"},
        {"count 2^53", false, {{Id::TargetShots, "9007199254740992"}}, ok, "9007199254740992 3 200 5e-06 50 manual"},
        {"the next count above, as an exponent, before the dimensions: nothing stored", false,
         {{Id::TargetShots, "9.007199254740994e15"}, {Id::Dimensions, "0"}, {Id::Radius, "0"}},
         count + "focus 1008; selectAll 1008; ", "50000 2 200 5e-06 50 automatic"},
        {"count beyond 2^53 while automatic: its disabled field not focused", true, {{Id::TargetShots, "1e16"}}, count,
         "50000 2 200 5e-06 50 automatic"},
        {"threshold cut to the buffer's 299", true, {{Id::Threshold, nines}}, ok, "123 3 200 1e+299 50 automatic"},
        {"threshold beyond a double: the largest, not infinity or 0", true, {{Id::Threshold, "1e400"}}, ok,
         "123 3 200 1.7976931348623157e+308 50 automatic"},
        {"threshold beyond a double, negative", true, {{Id::Threshold, "-1e400"}}, ok,
         "123 3 200 -1.7976931348623157e+308 50 automatic"},
        {"threshold with the largest exponent", true, {{Id::Threshold, "5e9223372036854775807"}}, ok,
         "123 3 200 1.7976931348623157e+308 50 automatic"},
        {"threshold with the smallest exponent after leading zeros", true,
         {{Id::Threshold, "0.0001e-9223372036854775807"}}, ok, "123 3 200 0 50 automatic"},
        {"leading tabs and blanks skipped", true, {{Id::MinShots, "\t \t12"}}, ok, "123 3 200 5e-06 12 automatic"},
        {"the leading number", true, {{Id::MinShots, "123abc"}}, ok, "123 3 200 5e-06 123 automatic"},
        {"one sign at most", true, {{Id::MinShots, "+-2"}}, ok, "123 3 200 5e-06 0 automatic"},
        {"clamped to the int range", true, {{Id::MinShots, "2147483648"}}, ok, "123 3 200 5e-06 2147483647 automatic"},
        {"clamped from below", true, {{Id::MinShots, "-99999999999999999999"}}, ok,
         "123 3 200 5e-06 -2147483648 automatic"},
        {"dimensions 00, before the radius: the count stays stored", false, {{Id::Dimensions, "00"}, {Id::Radius, "0"}},
         dims, "123 2 200 5e-06 50 automatic"},
        {"dimensions with a sign", true, {{Id::Dimensions, "+5"}}, ok, "123 5 200 5e-06 50 automatic"},
        {"no radius", true, {{Id::Radius, ""}}, small, "123 3 200 5e-06 50 automatic"},
        {"a negative radius", true, {{Id::Radius, "-7"}}, small, "123 3 200 5e-06 50 automatic"},
        {"radius 0: threshold, minimum and mode after it not stored", false,
         {{Id::Radius, "0"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, small, "123 3 200 5e-06 50 automatic"},
        {"radius 32000", true, {{Id::Radius, "32000"}}, ok, "123 3 32000 5e-06 50 automatic"},
        {"radius 32001: threshold, minimum and mode after it not stored", false,
         {{Id::Radius, "32001"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, large, "123 3 200 5e-06 50 automatic"},
        {"all taken, the disabled fields too: the dialog ends", false,
         {{Id::Radius, "5"}, {Id::Threshold, "1"}, {Id::MinShots, "7"}}, ok, "123 3 5 1 7 manual"},
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

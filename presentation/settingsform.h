#pragma once

#include "dialogcontrol.h"
#include "dialogport.h"
#include "message.h"

#include <array>
#include <optional>
#include <string>

class Session;

// The settings dialog without its toolkit: the template, the values shown when
// it opens, what each mode enables, the fields' names, and OK, which checks and
// stores the fields one after the other and stops with a warning at the first
// that fails; what was stored before it stays stored. It runs the dialog
// through a DialogPort; the dialog keeps nothing itself.
class SettingsForm
{
public:
    static constexpr const char *title = "Einstellungen";
    static constexpr int width = 199; // dialog units
    static constexpr int height = 178;
    static constexpr bool closeBox = true;

    enum Id : int {
        Ok = 1,
        Cancel = 2,
        TargetShots = 1008,
        AutoStop = 1010,
        Dimensions = 1011,
        Radius = 1012,
        Threshold = 1013,
        MinShots = 1014,
    };
    using Kind = DialogControl::Kind;
    // Each field right after the label that names it, so that Windows names
    // the field after that label.
    static const std::array<DialogControl, 16> controls;

    // Counts step by 1.0; above 2^53 adding one no longer changes a double, so a
    // larger target could never be reached and a manual run would never stop.
    static constexpr double maxTargetShots = 9007199254740992.0;
    static constexpr int minDimensions = 1;
    // The shot generator draws a coordinate from 2r values of 0 ... 32767.
    static constexpr int minRadius = 1;
    static constexpr int maxRadius = 32000;

    // What the fields hold, UTF-8, and the check box.
    struct Entries
    {
        std::string targetShots;
        bool autoStop = true;
        std::string threshold;
        std::string minShots;
        std::string radius;
        std::string dimensions;

        bool operator==(const Entries &) const = default;
    };

    explicit SettingsForm(Session &session);

    // The dialog opens: the current values shown, the mode's fields enabled, the
    // first control focused.
    void open(DialogPort &dialog) const;
    // The check box changed: the fields of the mode it now shows enabled.
    static void toggled(DialogPort &dialog);
    // OK: the entries go to accept; a refusal is warned of, then its field, where
    // enabled, takes the keyboard with its text selected, so that a screen
    // reader reads what is to be corrected. Otherwise the dialog ends.
    void ok(DialogPort &dialog);
    // Cancel: the dialog ends and nothing is stored.
    static void cancel(DialogPort &dialog);

    // What a screen reader calls the field: its labels in table order, a field
    // between two labels ("mindestens … Durchläufe") named by both, the check
    // box by its text; as read aloud, since a reader speaks a colon or a
    // bracket as a word.
    static std::string fieldName(int id);

    // The current values as the dialog shows them when it opens.
    Entries shown() const;

    // A value OK refused: the warning, and the field to correct, which takes the
    // keyboard once the warning is closed.
    struct Refusal
    {
        Message warning;
        int field;
    };

    // OK: every field is read, enabled or not, cut to the text buffer. The
    // refusal of the first field that fails, the dialog staying open; none when
    // everything was stored and the dialog closes.
    std::optional<Refusal> accept(const Entries &entries);

private:
    // Whether the control is enabled in that mode: the number of points only in
    // manual mode, threshold and minimum only in automatic mode.
    static bool enabled(int id, bool automatic);
    // The control that has the keyboard when the dialog opens: the number of
    // points, or the check box where the number is disabled.
    static int firstFocus(bool automatic) { return automatic ? AutoStop : TargetShots; }
    static void enableFor(DialogPort &dialog, bool automatic);

    Session &m_session;
};

// In the header, so that the Windows resource script can be written from it.
inline const std::array<DialogControl, 16> SettingsForm::controls{{
    {-1, Kind::GroupBox, "", {7, 7, 185, 103}},
    {-1, Kind::Label, "Anzahl der zu schießenden Punkte:", {14, 17, 113, 8}, "", 0, false, TargetShots},
    {TargetShots, Kind::Edit, "", {13, 33, 114, 14}, "targetShots", 0, true},
    {AutoStop, Kind::CheckBox, "automatisch festlegen (über Varianz)", {13, 53, 130, 10}, "autoStop"},
    {-1, Kind::Label, "Abbruchwert:", {25, 68, 43, 8}, "", 0, false, Threshold},
    {Threshold, Kind::Edit, "", {72, 66, 56, 12}, "threshold"},
    {-1, Kind::Label, "mindestens", {24, 87, 36, 8}, "", 0, false, MinShots},
    {MinShots, Kind::Edit, "", {63, 84, 29, 12}, "minShots", 0, true},
    {-1, Kind::Label, "Durchläufe", {96, 87, 36, 8}, "", 0, false, MinShots},
    {-1, Kind::GroupBox, "Körper", {7, 116, 185, 34}},
    {-1, Kind::Label, "Radius:", {13, 131, 25, 8}, "", 0, false, Radius},
    {Radius, Kind::Edit, "", {40, 129, 35, 12}, "radius", 5},
    {-1, Kind::Label, "Dimensionen:", {101, 132, 44, 8}, "", 0, false, Dimensions},
    {Dimensions, Kind::Edit, "", {147, 129, 31, 12}, "dimensions", 2, true},
    {Ok, Kind::DefaultButton, "OK", {7, 157, 50, 14}, "okButton"},
    {Cancel, Kind::Button, "Abbrechen", {142, 157, 50, 14}, "cancelButton"},
}};

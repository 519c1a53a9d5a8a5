#pragma once

#include "dialogcontrol.h"
#include "message.h"

#include <array>
#include <optional>
#include <string>

class Session;

// The settings dialog without its toolkit: the template, the values shown when
// it opens, what each mode enables, and OK, which checks and stores the fields
// one after the other and stops with a warning at the first that fails; what
// was stored before it stays stored. The dialog keeps nothing itself.
class SettingsForm
{
public:
    static constexpr const char *title = "Einstellungen";
    static constexpr int width = 199; // dialog units
    static constexpr int height = 178;

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

    // The current values as the dialog shows them when it opens.
    Entries shown() const;

    // Whether the control is enabled in that mode: the number of points only in
    // manual mode, threshold and minimum only in automatic mode.
    static bool enabled(int id, bool automatic);

    // The control that has the keyboard when the dialog opens: the number of
    // points, or the check box where the number is disabled.
    static int firstFocus(bool automatic) { return automatic ? AutoStop : TargetShots; }

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
    Session &m_session;
};

#pragma once

#include "dialogcontrol.h"
#include "dialogport.h"
#include "release.h"

#include <array>
#include <string>

// The about dialog without its toolkit: program icon, version, where help is
// found, release month. Only its OK button closes it; it has no close box and
// ignores Escape.
namespace AboutBox {

inline constexpr const char *title = "about Monte-Carlo";
inline constexpr int width = 186; // dialog units
inline constexpr int height = 103;
inline constexpr bool closeBox = false;
inline constexpr int okId = 1;
inline constexpr int iconId = 1015;

using Kind = DialogControl::Kind;

// In the header, so that the Windows resource script can be written from it.
inline const std::array<DialogControl, 8> controls{{
    {okId, Kind::DefaultButton, "OK", {35, 82, 50, 14}, "okButton"},
    {iconId, Kind::Icon, "", {7, 22, 20, 20}, "aboutIcon"},
    {-1, Kind::GroupBox, "Monte Carlo", {35, 7, 144, 71}},
    {-1, Kind::Label, Release::versionText, {42, 23, 89, 8}},
    {-1, Kind::Label, Release::home, {42, 34, 68, 8}},
    {-1, Kind::Label, Release::monthText, {135, 88, 44, 8}},
    {-1, Kind::Label, "Eine Programmbeschreibung sowie Hilfe", {41, 51, 127, 8}},
    {-1, Kind::Label, "befinden sich auf der Homepage.", {41, 63, 106, 8}},
}};

// What a screen reader reads of the dialog as it opens: its texts in reading
// order, a text going on in lower case joined to the one above, the others as
// sentences of their own.
std::string spokenText();

// Opened: the OK button, the only control that takes the keyboard, has it.
void open(DialogPort &dialog);
// OK: the dialog ends.
void ok(DialogPort &dialog);
// Escape or the window's close: nothing happens.
void cancel(DialogPort &dialog);

} // namespace AboutBox

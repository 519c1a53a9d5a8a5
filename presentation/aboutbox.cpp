#include "aboutbox.h"

#include "release.h"

namespace AboutBox {

using Kind = DialogControl::Kind;

const std::array<DialogControl, 8> controls{{
    {1, Kind::DefaultButton, "OK", {35, 82, 50, 14}, "okButton"},
    {iconId, Kind::Icon, "", {7, 22, 20, 20}, "aboutIcon"},
    {-1, Kind::GroupBox, "Monte Carlo", {35, 7, 144, 71}},
    {-1, Kind::Label, Release::versionText, {42, 23, 89, 8}},
    {-1, Kind::Label, Release::home, {42, 34, 68, 8}},
    {-1, Kind::Label, Release::monthText, {135, 88, 44, 8}},
    {-1, Kind::Label, "Eine Programmbeschreibung sowie Hilfe", {41, 51, 127, 8}},
    {-1, Kind::Label, "befinden sich auf der Homepage.", {41, 63, 106, 8}},
}};

} // namespace AboutBox

#pragma once

// What a front end that cannot end its own process shows after "Beenden" (a
// page cannot close the browser's tab): the run is over, and how to start again.
namespace Ending {

inline constexpr const char *title = "Monte Carlo ist beendet.";
inline constexpr const char *text = "Laden Sie die Seite neu, um das Programm wieder zu starten.";

} // namespace Ending

#include "panecolours.h"

#include "focusframe.h"

PaneColours PaneColours::of(const Palette &desktop)
{
    if (!desktop.highContrast)
        return {};
    return {
        .shotPaper = desktop.window,
        .figurePen = desktop.text,
        .shotInk = desktop.text,
        .shotFocus = FocusFrame::colour(desktop.window, desktop.highlight),
        .statusInk = desktop.text,
        .statusPaper = desktop.window,
        .statusFocus = FocusFrame::colour(desktop.window, desktop.highlight),
    };
}

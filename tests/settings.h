#pragma once

#include "session.h"
#include "settingsform.h"

#include <functional>

// Changes what the settings dialog shows and presses OK, as a user would.
inline void configure(Session &session, const std::function<void(SettingsForm::Entries &)> &change)
{
    SettingsForm form(session);
    SettingsForm::Entries entries = form.shown();
    change(entries);
    form.accept(entries);
}

#include "announcer.h"

#include "paneaccessible.h"

#include <utility>

void Announcer::announce(std::wstring sentence)
{
    m_sentence = std::move(sentence);
    if (m_window)
        NotifyWinEvent(EVENT_SYSTEM_ALERT, m_window, objectId, CHILDID_SELF);
}

LRESULT Announcer::answer(WPARAM wParam, LPARAM lParam) const
{
    // The reader asks after the event, when a later sentence may have replaced this one: it hears the latest.
    PaneAccessible::Answers alert;
    alert.name = [sentence = m_sentence] { return sentence; };
    alert.role = ROLE_SYSTEM_ALERT;
    return PaneAccessible::answer(m_window, wParam, lParam, objectId, std::move(alert));
}

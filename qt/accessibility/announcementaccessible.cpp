#include "announcementaccessible.h"

AnnouncementAccessible::AnnouncementAccessible(QAccessibleInterface *parent)
    : m_parent(parent)
{
}

void AnnouncementAccessible::tell(const QString &sentence)
{
    // A notification shown again: Orca speaks what shows, not what stays shown.
    QAccessibleEvent hide(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hide);
    m_sentence = sentence;
    QAccessibleEvent show(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&show);
}

QWindow *AnnouncementAccessible::window() const
{
    return m_parent->window();
}

QString AnnouncementAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? m_sentence : QString();
}

QAccessible::State AnnouncementAccessible::state() const
{
    // Nothing is drawn of it: a sighted user reads the page.
    QAccessible::State state;
    state.invisible = true;
    return state;
}

#pragma once

#include <QAccessibleInterface>
#include <QString>

// A notification that carries the latest sentence told of a run, a hidden child of
// the status pane. Orca 43 speaks a notification as it is shown, wherever the
// keyboard is; a changed description it speaks only of the focused object, and
// Qt 6.4 sends that change without the new text.
class AnnouncementAccessible : public QAccessibleInterface
{
public:
    explicit AnnouncementAccessible(QAccessibleInterface *parent);

    // Tells the sentence: shown anew, so that the screen reader speaks it.
    void tell(const QString &sentence);

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return m_parent; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return QRect(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override;

private:
    QAccessibleInterface *m_parent;
    QString m_sentence;
};

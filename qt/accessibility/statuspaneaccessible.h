#pragma once

#include <QAccessibleWidget>

#include <array>

class AnnouncementAccessible;
class StatusPane;

// What a screen reader finds of the status pane: a read-only text named
// "Statistik" that holds the page shown on screen, one line per page line, with
// the pane's caret and each character at the place it is drawn. Orca 43 reads
// such a text by caret and in flat review; a label it neither focuses nor reviews.
// Its two children tell the start and end of a run, in turn.
class StatusPaneAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit StatusPaneAccessible(StatusPane *pane);
    ~StatusPaneAccessible() override;

    // Tells a screen reader the sentence, wherever the keyboard is.
    void announce(const QString &sentence);

    // For QAccessible::installFactory: an interface for a status pane, else none.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override { return int(m_news.size()); }
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int, int) override {}
    // A line with its line break, as AT-SPI has it; Qt's own drops its last character.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *startOffset,
                         int *endOffset) const override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    StatusPane *pane() const;

    // In turn, so that a run's end told a moment after its start does not rename
    // the start before the screen reader read it.
    std::array<AnnouncementAccessible *, 2> m_news;
    std::size_t m_latest = 0;
};

#pragma once

#include "retainedpane.h"
#include "runprogress.h"
#include "statuspage.h"
#include "statuspicture.h"
#include "statusreading.h"

#include <vector>

class Session;

// Right pane: the statistics in their colours (white on black unless the
// desktop asks for high contrast), drawn over the previous page without
// clearing it. It only reads the run; the window's tick refreshes it.
class StatusPane : public RetainedPane
{
    Q_OBJECT
public:
    StatusPane(const Session &session, QWidget *parent);

    // Paints in these colours from now on: the page is drawn anew.
    void setColours(const PaneColours &colours);

    int lineHeight() const { return m_lineHeight; }
    // The page on the image now.
    const std::vector<StatusPage::Text> &shownPage() const { return m_shown; }

    // What a screen reader reads of the page shown, with the caret the keys move.
    const StatusReading &reading() const { return m_reading; }
    void setCaret(int offset);

signals:
    // How far a run has come, to be told to a screen reader as news, at RunProgress's pace.
    void progressTold(const QString &sentence);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;
    // The page is drawn anew at the new scale or size, at its fixed places.
    void rescaled(QImage &, const QImage &, const PixelGrid &) override { requestPaint(true); }
    void reshaped() override { requestPaint(true); }

private:
    // The page was refreshed: tells a screen reader what changed, when the reading says so.
    void tellScreenReader();
    void tellCaret();

    const Session &m_session;
    StatusPicture m_picture;
    int m_lineHeight = 0;
    // The page on the image now.
    const std::vector<StatusPage::Text> &m_shown = m_picture.shown();
    StatusReading m_reading;
    RunProgress m_progress;
};

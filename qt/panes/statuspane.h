#pragma once

#include "retainedpane.h"
#include "statuspage.h"
#include "statuspicture.h"

#include <QString>

#include <vector>

class Session;

// Right pane: white on black statistics, drawn over the previous page without
// clearing it. It only reads the run; the window's tick refreshes it.
class StatusPane : public RetainedPane
{
    Q_OBJECT
public:
    StatusPane(const Session &session, QWidget *parent);

    int lineHeight() const { return m_lineHeight; }
    // The page on the image now.
    const std::vector<StatusPage::Text> &shownPage() const { return m_shown; }

    // What a screen reader reads of the page shown (StatusPage::readingText), and
    // where the pane drew each of its characters; a blank or line break joining
    // two texts has the place between them or after the line's last character.
    QString readingText() const;
    std::vector<QRect> readingBoxes() const;
    // Where the keyboard reads, an offset into readingText; arrows, Home and End move it.
    int caret() const;
    void setCaret(int offset);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;
    // The page is drawn anew at the new scale or size, at its fixed places.
    void rescaled(QImage &, const QImage &, const PixelGrid &) override { requestPaint(true); }
    void reshaped() override { requestPaint(true); }

private:
    // The page changed from before: tells a screen reader which part of its text.
    void tellScreenReader(const std::vector<StatusPage::Text> &before);

    StatusPicture m_picture;
    int m_lineHeight = 0;
    // The page on the image now.
    const std::vector<StatusPage::Text> &m_shown = m_picture.shown();
    int m_caret = 0;
};

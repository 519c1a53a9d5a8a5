#pragma once

#include "retainedpane.h"
#include "statuspage.h"

#include <vector>

class Body;
class PiEstimate;
class Simulation;

// Right pane: white on black statistics, refreshed by its own 50 ms tick and
// drawn over the previous page without clearing it.
class StatusPane : public RetainedPane
{
    Q_OBJECT
public:
    StatusPane(Body &body, Simulation &simulation, PiEstimate &pi, const QSize &size,
               QWidget *parent);

    // Brings the derived values up to date and asks for a repaint without erase.
    void tick();

    int lineHeight() const { return m_lineHeight; }
    // The page on the image now.
    const std::vector<StatusPage::Text> &shownPage() const { return m_shown; }

    // The font the page is drawn in, whatever the desktop's font is.
    static QFont pageFont(const std::vector<StatusPage::Text> &page);

protected:
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;
    // The page is drawn anew at the new scale rather than shown scaled.
    void rescaled() override { requestPaint(true); }

private:
    Body &m_body;
    Simulation &m_simulation;
    PiEstimate &m_pi;
    QTimer *m_timer;
    int m_lineHeight = 0;
    // The page on the image now: drawing it again would change no pixel.
    std::vector<StatusPage::Text> m_shown;
};

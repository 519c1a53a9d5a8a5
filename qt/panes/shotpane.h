#pragma once

#include "imagecanvas.h"
#include "retainedpane.h"
#include "shotpicture.h"

#include <vector>

class Session;

// Left pane: keeps what ShotPicture paints, the latest shot while a run is
// active, else the figure, on an image where one program pixel is one block of
// the grid.
class ShotPane : public RetainedPane
{
    Q_OBJECT
public:
    ShotPane(const Session &session, QWidget *parent);

    // Paints in these colours from now on; every point so far is drawn anew in them.
    void setColours(const PaneColours &colours);

    // What a screen reader says of the picture.
    std::string description() const { return m_picture.description(); }

protected:
    QSize pictureSize(const QSize &visible, const QSize &before, bool erasing) const override;
    void settle(QImage &image) override;
    void rescaled(QImage &image, const QImage &old, const PixelGrid &oldGrid) override;
    void reshaped() override;
    void paintRetained(QImage &image, QRect &dirty, bool erased) override;

private:
    const Session &m_session;
    ShotPicture m_picture;
    // The colours the picture so far was drawn in.
    PaneColours m_drawnIn;
    // Shots in the order they came, written onto the image once a frame.
    std::vector<ImageCanvas::Plot> m_unsettled;
};

#include "shotpane.h"

#include "session.h"

#include <QAccessible>

namespace {
QColor colour(std::uint32_t rgb)
{
    return QColor::fromRgb(0xFF000000u | rgb);
}
} // namespace

ShotPane::ShotPane(const Session &session, QWidget *parent)
    : RetainedPane(parent)
    , m_session(session)
    , m_picture(session)
{
    setObjectName(QStringLiteral("shotPane"));
    m_unsettled.reserve(ImageCanvas::maxQueued);
    setColours(m_drawnIn);
}

void ShotPane::setColours(const PaneColours &colours)
{
    m_picture.setColours(colours);
    RetainedPane::setColours(colour(colours.shotPaper), colour(colours.shotFocus), QImage::Format_RGB32);
    m_drawnIn = colours;
}

QSize ShotPane::pictureSize(const QSize &visible, const QSize &before, bool erasing) const
{
    const Size kept = m_picture.kept({visible.width(), visible.height()}, {before.width(), before.height()}, erasing);
    return QSize(kept.width, kept.height);
}

void ShotPane::settle(QImage &image)
{
    QRect unused;
    ImageCanvas(image, grid(), extent(), unused, &m_unsettled).settle();
}

void ShotPane::rescaled(QImage &image, const QImage &old, const PixelGrid &oldGrid)
{
    QImage was = old;
    QImage figure(old.size(), old.format());
    figure.setDevicePixelRatio(old.devicePixelRatio());
    figure.fill(colour(m_drawnIn.shotPaper));
    QRect unused;
    ImageCanvas now(image, grid(), extent(), unused);
    ImageCanvas before(was, oldGrid, extent(), unused);
    ImageCanvas figureBefore(figure, oldGrid, extent(), unused);
    m_picture.rescale(now, before, figureBefore, {extent().width(), extent().height()}, m_drawnIn);
}

void ShotPane::reshaped()
{
    // Newly shown parts get what a paint gives them: the figure, or the latest shot again.
    requestPaint(false);
}

void ShotPane::paintRetained(QImage &image, QRect &dirty, bool erased)
{
    ImageCanvas canvas(image, grid(), extent(), dirty, &m_unsettled);
    m_picture.paint(canvas, erased);
    if (!m_session.running() && QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }
}

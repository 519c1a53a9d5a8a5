#include "shotpane.h"

#include "body.h"
#include "shotcolour.h"
#include "shotpaneaccessible.h"
#include "simulation.h"

#include <QAccessible>
#include <QPainter>

namespace {
// A frame's worth of shots and more; the list never grows beyond it.
constexpr std::size_t maxUnsettled = 1 << 16;
} // namespace

ShotPane::ShotPane(const Body &body, const Simulation &simulation, const ShotColour &colour,
                   const QSize &size, QWidget *parent)
    : RetainedPane(Qt::white, size, parent)
    , m_body(body)
    , m_simulation(simulation)
    , m_colour(colour)
{
    setObjectName(QStringLiteral("shotPane"));
    m_unsettled.reserve(maxUnsettled);
}

void ShotPane::drawFigure(QImage &image) const
{
    // Drawn in image pixels: every edge is one block thick on all four sides.
    const int block = pixelBlock();
    const int first = toImage(m_body.margin());
    const int last = toImage(m_body.margin() + m_body.sideLength() - 1);
    const QRect box(first, first, last + block - first, last + block - first);
    const qreal scale = image.devicePixelRatio();
    image.setDevicePixelRatio(1);
    {
        QPainter painter(&image);
        painter.fillRect(box, Qt::black);
        painter.fillRect(box.adjusted(block, block, -block, -block), Qt::white);
        painter.setBrush(Qt::white);
        if (block == 1) {
            // A 1 px pen covers x ... x + w, so w = side - 1 keeps the box's end outside.
            painter.setPen(QPen(Qt::black, 0));
            painter.drawEllipse(box.adjusted(0, 0, -1, -1));
        } else {
            painter.setPen(QPen(Qt::black, block));
            const qreal half = block / 2.0;
            painter.drawEllipse(QRectF(box).adjusted(half, half, -half, -half));
        }
    }
    image.setDevicePixelRatio(scale);
}

void ShotPane::settle(QImage &image)
{
    for (const Shot &shot : m_unsettled)
        plot(image, shot.x, shot.y, shot.colour);
    m_unsettled.clear();
}

void ShotPane::paintRetained(QImage &image, QRect &dirty, bool)
{
    if (m_simulation.running()) {
        const int x = m_body.toScreen(m_simulation.shotX());
        const int y = m_body.toScreen(m_simulation.shotY());
        if (!rect().contains(x, y))
            return;
        m_unsettled.push_back({x, y, m_colour.rgb()});
        if (m_unsettled.size() == maxUnsettled)
            settle(image);
        dirty |= QRect(x, y, blockSpan(), blockSpan());
        return;
    }
    // The figure's white inside covers every point of the run.
    m_unsettled.clear();
    drawFigure(image);
    if (QAccessible::isActive())
        ShotPaneAccessible::figureDrawn(this);
    const int side = m_body.sideLength() + blockSpan() - 1;
    dirty |= QRect(m_body.margin(), m_body.margin(), side, side).intersected(rect());
}

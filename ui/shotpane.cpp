#include "shotpane.h"

#include "body.h"
#include "shotcolour.h"
#include "shotpaneaccessible.h"
#include "simulation.h"

#include <QAccessible>
#include <QPainter>

ShotPane::ShotPane(const Body &body, const Simulation &simulation, const ShotColour &colour,
                   const QSize &size, QWidget *parent)
    : RetainedPane(Qt::white, size, parent)
    , m_body(body)
    , m_simulation(simulation)
    , m_colour(colour)
{
    setObjectName(QStringLiteral("shotPane"));
}

void ShotPane::drawFigure(QImage &image, const Body &body)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    // A 1 px pen covers x ... x + w, so w = side - 1 keeps margin + side outside.
    const QRect box(body.margin(), body.margin(), body.sideLength() - 1, body.sideLength() - 1);
    painter.drawRect(box);
    painter.drawEllipse(box);
}

void ShotPane::paintRetained(QImage &image, QRect &dirty, bool)
{
    if (m_simulation.running()) {
        const int x = m_body.toScreen(m_simulation.shotX());
        const int y = m_body.toScreen(m_simulation.shotY());
        if (image.rect().contains(x, y)) {
            reinterpret_cast<QRgb *>(image.scanLine(y))[x] = m_colour.rgb();
            dirty |= QRect(x, y, 1, 1);
        }
        return;
    }
    drawFigure(image, m_body);
    if (QAccessible::isActive())
        ShotPaneAccessible::figureDrawn(this);
    dirty |= QRect(m_body.margin(), m_body.margin(), m_body.sideLength(), m_body.sideLength())
                 .intersected(image.rect());
}

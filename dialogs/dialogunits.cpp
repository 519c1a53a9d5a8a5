#include "dialogunits.h"

#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QGuiApplication>

#include <algorithm>

namespace {

// MulDiv's rounding: to nearest, halves away from zero.
int scale(int value, int base, int divisor)
{
    const long long product = static_cast<long long>(value) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor : (product - half) / divisor);
}

} // namespace

DialogUnits::DialogUnits(const QFont &font)
    : m_baseX((QFontMetrics(font).horizontalAdvance(
                   QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"))
                   / 26 + 1) / 2)
    , m_baseY(QFontMetrics(font).height())
{
}

QFont DialogUnits::dialogFont()
{
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int DialogUnits::toPixelsX(int x) const
{
    return scale(x, m_baseX, 4);
}

int DialogUnits::toPixelsY(int y) const
{
    return scale(y, m_baseY, 8);
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const
{
    return QRect(toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height));
}

QSize DialogUnits::toPixels(int width, int height) const
{
    return QSize(toPixelsX(width), toPixelsY(height));
}

void DialogUnits::placeText(QLabel *label, int x, int y, int width, int height) const
{
    QRect rect = toPixels(x, y, width, height);
    const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text())
        + 2 * label->margin() + 1;
    rect.setWidth(std::max(rect.width(), needed));
    label->setGeometry(rect);
}

void DialogUnits::centreOnScreen(QWidget *dialog)
{
    const QWidget *owner = dialog->parentWidget();
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    dialog->move(area.x() + (area.width() - dialog->width()) / 2,
                 area.y() + (area.height() - dialog->height()) / 2);
}

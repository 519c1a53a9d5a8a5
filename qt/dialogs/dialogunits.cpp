#include "dialogunits.h"

#include "textfit.h"

#include <QFontMetrics>
#include <QCheckBox>
#include <QStyle>
#include <QWidget>

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
    // A pixel size, not points: the templates keep their size and proportions
    // whatever font and font DPI the desktop has.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
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

void DialogUnits::placeText(QWidget *control, int x, int y, int width, int height) const
{
    const int room = control->parentWidget()->width() - toPixelsX(TextFit::dialogMargin);
    const Rect wide = TextFit::widened({toPixelsX(x), toPixelsY(y), toPixelsX(width), toPixelsY(height)},
                                       control->sizeHint().width(), room);
    QRect rect(wide.x, wide.y, wide.width, wide.height);
    // Taller only where a line of text or the check box's indicator would not fit.
    int neededHeight = control->fontMetrics().height();
    if (qobject_cast<QCheckBox *>(control))
        neededHeight = std::max(neededHeight,
                                control->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, control));
    if (neededHeight > rect.height()) {
        const int grow = neededHeight - rect.height();
        rect.adjust(0, -grow / 2, 0, grow - grow / 2);
    }
    control->setGeometry(rect);
}

#include "fontmeasure.h"

#include <QString>

int FontMeasure::width(std::string_view text) const
{
    return m_metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

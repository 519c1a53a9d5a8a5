#pragma once

#include "textmeasure.h"

#include <QFont>
#include <QFontMetrics>

// Text sizes in a Qt font, in logical pixels, as the status pane draws its page.
class FontMeasure : public TextMeasure
{
public:
    explicit FontMeasure(const QFont &font) : m_metrics(font) {}

    int width(std::string_view text) const override;
    int height() const override { return m_metrics.height(); }
    int lineHeight() const override { return m_metrics.height() + m_metrics.leading(); }

private:
    QFontMetrics m_metrics;
};

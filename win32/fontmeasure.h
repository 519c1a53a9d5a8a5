#pragma once

#include "textmeasure.h"

#include <windows.h>

// Text sizes in a GDI font, in device pixels, as the status pane draws its page.
class FontMeasure : public TextMeasure
{
public:
    explicit FontMeasure(HFONT font);
    ~FontMeasure() override;
    FontMeasure(const FontMeasure &) = delete;
    FontMeasure &operator=(const FontMeasure &) = delete;

    int width(std::string_view text) const override;
    int height() const override { return m_metrics.tmHeight; }
    int lineHeight() const override { return m_metrics.tmHeight + m_metrics.tmExternalLeading; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
    TEXTMETRICW m_metrics{};
};

#include "fontmeasure.h"

#include "widetext.h"

FontMeasure::FontMeasure(HFONT font)
    : m_dc(CreateCompatibleDC(nullptr))
    , m_old(SelectObject(m_dc, font))
{
    GetTextMetricsW(m_dc, &m_metrics);
}

FontMeasure::~FontMeasure()
{
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
}

int FontMeasure::width(std::string_view text) const
{
    const std::wstring wide = WideText::from(text);
    SIZE size{};
    GetTextExtentPoint32W(m_dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

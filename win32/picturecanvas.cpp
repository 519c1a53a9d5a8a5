#include "picturecanvas.h"

#include "widetext.h"

namespace {

COLORREF colour(std::uint32_t rgb)
{
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// A DC of the screen's kind with the font selected, for measuring.
class Measure
{
public:
    explicit Measure(HFONT font)
        : m_dc(CreateCompatibleDC(nullptr))
        , m_old(SelectObject(m_dc, font))
    {
    }
    ~Measure()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

PictureCanvas::PictureCanvas(Picture &picture, const Scale &scale)
    : m_picture(picture)
    , m_scale(scale)
{
}

PictureCanvas::~PictureCanvas()
{
    if (m_font)
        DeleteObject(m_font);
}

RECT PictureCanvas::device(const Rect &area) const
{
    const PixelGrid grid = m_scale.grid();
    return {grid.toImage(area.x), grid.toImage(area.y), grid.toImage(area.x + area.width - 1) + grid.block,
            grid.toImage(area.y + area.height - 1) + grid.block};
}

int PictureCanvas::program(int devicePixels) const
{
    return (devicePixels * USER_DEFAULT_SCREEN_DPI + m_scale.dpi - 1) / m_scale.dpi;
}

HFONT PictureCanvas::font(int pixelSize) const
{
    if (m_font && pixelSize == m_fontSize && m_scale.dpi == m_fontDpi)
        return m_font;
    if (m_font)
        DeleteObject(m_font);
    m_fontSize = pixelSize;
    m_fontDpi = m_scale.dpi;
    m_font = CreateFontW(-m_scale.grid().toImageSize(pixelSize), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                         VARIABLE_PITCH | FF_SWISS, L"Tahoma");
    return m_font;
}

void PictureCanvas::fill(const Rect &area, std::uint32_t rgb)
{
    if (!m_picture.dc())
        return;
    const RECT box = device(area);
    const HBRUSH brush = CreateSolidBrush(colour(rgb));
    FillRect(m_picture.dc(), &box, brush);
    DeleteObject(brush);
    GdiFlush();
}

void PictureCanvas::outline(const Rect &area, std::uint32_t pen, std::uint32_t inside, bool round)
{
    if (!m_picture.dc())
        return;
    const RECT box = device(area);
    // Inside the box, so all four edges are as thick as a plotted shot.
    const HPEN line = CreatePen(PS_INSIDEFRAME, m_scale.block(), colour(pen));
    const HBRUSH brush = CreateSolidBrush(colour(inside));
    const HGDIOBJ oldPen = SelectObject(m_picture.dc(), line);
    const HGDIOBJ oldBrush = SelectObject(m_picture.dc(), brush);
    if (round)
        Ellipse(m_picture.dc(), box.left, box.top, box.right, box.bottom);
    else
        Rectangle(m_picture.dc(), box.left, box.top, box.right, box.bottom);
    SelectObject(m_picture.dc(), oldBrush);
    SelectObject(m_picture.dc(), oldPen);
    DeleteObject(brush);
    DeleteObject(line);
    GdiFlush();
}

void PictureCanvas::rectangle(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    outline(area, pen, inside, false);
}

void PictureCanvas::ellipse(const Rect &area, std::uint32_t pen, std::uint32_t inside)
{
    outline(area, pen, inside, true);
}

void PictureCanvas::plot(int x, int y, std::uint32_t rgb)
{
    m_picture.setBlock(m_scale.device(x), m_scale.device(y), m_scale.block(), rgb);
}

std::uint32_t PictureCanvas::pixel(int x, int y) const
{
    const PixelGrid grid = m_scale.grid();
    return m_picture.pixel(grid.centre(x), grid.centre(y));
}

void PictureCanvas::text(int x, int y, std::string_view text, int pixelSize, std::uint32_t ink, std::uint32_t paper)
{
    const HDC dc = m_picture.dc();
    if (!dc)
        return;
    const HGDIOBJ old = SelectObject(dc, font(pixelSize));
    SetTextColor(dc, colour(ink));
    SetBkColor(dc, colour(paper));
    SetBkMode(dc, OPAQUE);
    const std::wstring wide = WideText::from(text);
    TextOutW(dc, m_scale.device(x), m_scale.device(y), wide.c_str(), static_cast<int>(wide.size()));
    SelectObject(dc, old);
    GdiFlush();
}

int PictureCanvas::measure(std::string_view text, int pixelSize) const
{
    const Measure measure(font(pixelSize));
    const std::wstring wide = WideText::from(text);
    SIZE size{};
    GetTextExtentPoint32W(measure.dc(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return program(size.cx);
}

Canvas::LineMetrics PictureCanvas::lineMetrics(int pixelSize) const
{
    const Measure measure(font(pixelSize));
    TEXTMETRICW metrics{};
    GetTextMetricsW(measure.dc(), &metrics);
    return {program(metrics.tmHeight), program(metrics.tmExternalLeading)};
}

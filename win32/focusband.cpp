#include "focusband.h"

#include "focusframe.h"

namespace FocusBand {

void draw(HDC dc, const Scale &scale, Size pane, std::uint32_t background)
{
    const std::uint32_t rgb = FocusFrame::colour(background);
    const HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    for (const Rect &side : FocusFrame::sides(pane)) {
        const RECT area = scale.area(side);
        FillRect(dc, &area, brush);
    }
    DeleteObject(brush);
}

} // namespace FocusBand

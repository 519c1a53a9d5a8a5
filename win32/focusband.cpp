#include "focusband.h"

#include "focusframe.h"
#include "picture.h"

namespace FocusBand {

void draw(HDC dc, const Scale &scale, Size pane, std::uint32_t colour)
{
    const HBRUSH brush = CreateSolidBrush(Picture::colorref(colour));
    for (const Rect &side : FocusFrame::sides(pane)) {
        const RECT area = scale.area(side);
        FillRect(dc, &area, brush);
    }
    DeleteObject(brush);
}

} // namespace FocusBand

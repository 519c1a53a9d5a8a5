#include "textfit.h"

#include <algorithm>

namespace TextFit {

Rect widened(Rect place, int textWidth, int room)
{
    if (textWidth <= place.width)
        return place;
    place.width = textWidth;
    if (place.x + place.width > room)
        place.x = std::max(room - place.width, 0);
    return place;
}

} // namespace TextFit

#include "layout.h"

#include <cmath>

namespace Layout {

int paneSplit(int right)
{
    return right - static_cast<int>(std::trunc(right / 2.5));
}

Panes panes(int right, int bottom)
{
    const int split = paneSplit(right);
    return {{split, 0, right, bottom}, {0, 0, split, bottom}};
}

} // namespace Layout

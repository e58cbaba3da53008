#include "ViewArea.h"

#include <cmath>

namespace {

int32_t truncated(double value)
{
    return static_cast<int32_t>(std::trunc(value));
}

}

namespace ViewArea {

Insets unchanged(const ViewRegion& region)
{
    return Insets{region.left, region.right, region.top, region.bottom};
}

Insets zoomed(const ViewRegion& region, int32_t surfaceWidth, int32_t surfaceHeight, int32_t pictureWidth,
              int32_t pictureHeight)
{
    const double sw = surfaceWidth;
    const double sh = surfaceHeight;
    const double pw = pictureWidth;
    const double ph = pictureHeight;
    return Insets{truncated(pw * (region.left / sw)), truncated(pw * (1.0 - region.right / sw)),
                  truncated(ph * (region.top / sh)), truncated(ph * (1.0 - region.bottom / sh))};
}

}

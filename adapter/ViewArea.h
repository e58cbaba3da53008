#pragma once

#include "PlayerTypes.h"

// The zoom arithmetic: a region chosen on the surface becomes insets from the
// picture's edges, in the order the library takes them.
namespace ViewArea {

struct Insets {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
};

// The region passed on as it is, used when the surface has no size.
Insets unchanged(const ViewRegion& region);

// Insets of region on a surface of surfaceWidth x surfaceHeight (both
// nonzero) scaled to a picture of pictureWidth x pictureHeight, each
// truncated toward zero. The whole surface gives all 0.
Insets zoomed(const ViewRegion& region, int32_t surfaceWidth, int32_t surfaceHeight, int32_t pictureWidth,
              int32_t pictureHeight);

}

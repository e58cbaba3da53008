// A decoded picture brought down to what a target of a given size shows of
// it: the view area cut out, the aspect mode applied, scaled to the part of
// the target it fills, in planar 4:2:0. Presenting it again into the same
// target (stretched, or fitted when the mode keeps the aspect) is a plain
// colour conversion, and it weighs 1.5 bytes a shown pixel.
#pragma once

#include "AvPtr.h"
#include "Scaler.h"

namespace kvplay {

// Null when the picture cannot be converted. ctx is reused between calls.
FramePtr shownPicture(const AVFrame& full, int width, int height, const ViewSettings& view, SwsPtr& ctx);

// How to present such a picture into its target: the part it fills, with no
// view area of its own.
ViewSettings shownPictureView(const ViewSettings& view);

} // namespace kvplay

// Converts a decoded picture to BGRA at a target size, applying the view area
// (insets in picture pixels) and the aspect mode. Keeps its context and buffer
// between frames.
#pragma once

#include "AvPtr.h"

#include <cstdint>
#include <vector>

namespace kvplay {

struct ViewSettings {
    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t aspect = 0; // KV_ASPECT_*

    bool operator==(const ViewSettings&) const = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

class Scaler {
public:
    // False when the picture cannot be converted.
    bool scale(const AVFrame& src, int width, int height, const ViewSettings& view);
    const uint8_t* data() const { return buffer_.data(); }
    int stride() const { return stride_; }

    // The part of the picture to show, aligned to the chroma grid.
    static Rect sourceRect(const AVFrame& src, const ViewSettings& view);
    // Where the source rectangle lands in the target, and which part of it (crop mode).
    static void fitRects(const AVFrame& src, Rect& source, int width, int height, int aspect, Rect& dest);
    // Never bicubic when shrinking: a tile shows no difference and pays double.
    static int flagsFor(int srcW, int srcH, int dstW, int dstH);

private:
    SwsPtr ctx_;
    std::vector<uint8_t> buffer_;
    int stride_ = 0;
    Rect lastDest_{};
};

} // namespace kvplay

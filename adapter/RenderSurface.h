#pragma once

#include <QSize>

#include <cstdint>

// Implemented by a widget that shows a player's pictures. The playback library
// calls both functions from its own threads, so they must be thread-safe; the
// surface must stay valid until the player that uses it is closed.
class RenderSurface
{
public:
    virtual ~RenderSurface() = default;
    // A finished picture of width x height pixels, bytes in the order B, G, R,
    // A (the layout of QImage::Format_RGB32), stride bytes per row. The pixels
    // are valid only during the call.
    virtual void presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride) = 0;
    // The size pictures are wanted at, in device pixels; with a side <= 0 the
    // library holds its pictures back.
    virtual QSize pixelSize() const = 0;
};

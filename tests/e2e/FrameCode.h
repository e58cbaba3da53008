#pragma once

#include <QImage>
#include <QRect>
#include <QString>

// Recordings whose pictures show their own frame number, so that a
// screenshot or a snapshot says which frame it is: sixteen stripes across
// the picture, white for a set bit and black for a clear one, bit 0 on the
// left.
namespace FrameCode {

constexpr int kBits = 16;

// A 320x180 MP4 at 25 fps with B-frames and a keyframe every 50 frames.
bool makeNumbered(const QString& path, int seconds);
// Another recording of another size, 320x240, without numbers.
bool makePattern(const QString& path, int seconds);
// The number shown in area of image (the picture's full width); -1 when a
// stripe is neither clearly black nor clearly white.
int read(const QImage& image, const QRect& area);

}

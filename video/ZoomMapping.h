#pragma once

#include <QRect>
#include <QSize>

// Where a zoom drag lands in the picture. The surface shows part of the
// picture (the view, after earlier zooms) in one of the aspect modes: the
// region chosen is the part of the picture under the selection, not the
// selection scaled to the whole picture. Pixels are taken as square.
namespace ZoomMapping {

// The part of view that is drawn (picture pixels) and where it lies on the
// surface, for the library's aspect modes: 0 and 1 stretch, 2 fit with black
// bars, 3 fill and crop.
struct Placement {
    QRectF source;
    QRectF dest;
};
Placement place(const QRect& view, const QSize& surface, int aspect);

// The picture region under selection (surface pixels), inside view; empty
// when the selection misses the picture.
QRect pictureRegion(const QRect& selection, const QSize& surface, const QRect& view, int aspect);

}

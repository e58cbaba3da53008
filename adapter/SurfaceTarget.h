#pragma once

#include <cstdint>

class QWidget;

// The playback library's render target over a RenderSurface: the library's
// two C callbacks lead to the surface's present and size.
namespace SurfaceTarget {

// Makes widget the render target of instance h when it is a RenderSurface;
// any other widget, or none, leaves h without pictures. The library's result.
int32_t bind(uint32_t h, QWidget* widget);

}

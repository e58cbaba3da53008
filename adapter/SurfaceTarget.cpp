#include "SurfaceTarget.h"

#include "RenderSurface.h"

#include "kvplay.h"

#include <QWidget>

namespace {

void present(void* user, const uint8_t* bgra, int32_t width, int32_t height, int32_t stride)
{
    static_cast<RenderSurface*>(user)->presentPicture(bgra, width, height, stride);
}

void size(void* user, int32_t* width, int32_t* height)
{
    const QSize pixels = static_cast<const RenderSurface*>(user)->pixelSize();
    *width = pixels.width();
    *height = pixels.height();
}

}

namespace SurfaceTarget {

int32_t bind(uint32_t h, QWidget* widget)
{
    auto* surface = dynamic_cast<RenderSurface*>(widget);
    if (surface == nullptr)
        return KvPlaySetPlayWnd(h, nullptr);
    // The library copies the target; the surface outlives the player.
    const KvRenderTarget target{surface, &present, &size};
    return KvPlaySetPlayWnd(h, &target);
}

}

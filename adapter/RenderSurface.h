#pragma once

#include "kvplay.h"

// Implemented by a widget that shows a player's pictures. The playback library
// presents frames to the render target from its own threads; the target must
// stay valid until the player that uses it is closed.
class RenderSurface
{
public:
    virtual ~RenderSurface() = default;
    virtual const KvRenderTarget* renderTarget() = 0;
};

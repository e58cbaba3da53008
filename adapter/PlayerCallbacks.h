#pragma once

// The functions the playback library calls on its own threads. They only
// build events and post them to the event target named when the player was
// opened; nothing reaches a target that is gone.

#include "PlayerTypes.h"

#include "kvplay.h"

// The picture hooks the library receives, in its own layout.
using ImageHooks = KvPlayImageHooks;

namespace PlayerCallbacks {

// Message callback; context is the PlayContext. Message 1 asks the recorder
// for more data; any other message becomes a type 1005 event. Nothing is
// posted without a context, an event target or a user value.
void onMessage(int32_t message, void* context);

// Picture hooks: allocate makes a type 1009 event holding a picture of
// width x height for the library to fill; ready posts it. A picture wider
// than 700 and lower than 300 lines is stretched to 576 lines.
KvPlayImageBuffer allocatePicture(int32_t width, int32_t height, void* target);
void pictureReady(void* event, uint32_t value, uint32_t reserved, uint32_t extra);

ImageHooks imageHooks(uint32_t flags, uint32_t user, QObject* target);

}

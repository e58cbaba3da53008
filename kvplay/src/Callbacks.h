// The caller's callbacks of one instance. Each invocation holds the lock, so
// replacing or clearing a callback waits for a running call to return and the
// old one is never called afterwards.
#pragma once

#include "kvplay.h"

#include <cstdint>
#include <mutex>

namespace kvplay {

class Callbacks {
public:
    void setTarget(const KvRenderTarget* target);
    void setMessage(KvPlayMessageFn fn, void* context);
    void setDraw(KvPlayDrawFn fn, void* user);
    void setImageHooks(const KvPlayImageHooks* hooks);

    bool hasTarget() const;
    // False when there is no target or it reports no area.
    bool targetSize(int32_t& width, int32_t& height) const;
    void present(uint32_t handle, const uint8_t* bgra, int32_t width, int32_t height, int32_t stride);
    void message(int32_t msg);
    bool hasImageHooks() const;
    // Asks the hooks for a buffer, lets fill() write it, then hands it over.
    template <typename Fill>
    void deliverImage(int32_t width, int32_t height, uint32_t value, Fill&& fill)
    {
        std::lock_guard lock(mutex_);
        if (!hooks_.allocate || !hooks_.ready)
            return;
        const KvPlayImageBuffer buf = hooks_.allocate(width, height, hooks_.target);
        if (!buf.pixels)
            return;
        fill(buf.pixels, width * 4);
        hooks_.ready(buf.event, value, 0, 0);
    }

private:
    mutable std::mutex mutex_;
    KvRenderTarget target_{};      // guarded by mutex_
    KvPlayMessageFn messageFn_{};  // guarded by mutex_
    void* messageContext_{};       // guarded by mutex_
    KvPlayDrawFn drawFn_{};        // guarded by mutex_
    void* drawUser_{};             // guarded by mutex_
    KvPlayImageHooks hooks_{};     // guarded by mutex_
};

} // namespace kvplay

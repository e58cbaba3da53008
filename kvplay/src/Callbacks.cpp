#include "Callbacks.h"

namespace kvplay {

void Callbacks::setTarget(const KvRenderTarget* target)
{
    std::lock_guard lock(mutex_);
    target_ = target ? *target : KvRenderTarget{};
}

void Callbacks::setMessage(KvPlayMessageFn fn, void* context)
{
    std::lock_guard lock(mutex_);
    messageFn_ = fn;
    messageContext_ = context;
}

void Callbacks::setDraw(KvPlayDrawFn fn, void* user)
{
    std::lock_guard lock(mutex_);
    drawFn_ = fn;
    drawUser_ = user;
}

void Callbacks::setImageHooks(const KvPlayImageHooks* hooks)
{
    std::lock_guard lock(mutex_);
    hooks_ = hooks ? *hooks : KvPlayImageHooks{};
}

bool Callbacks::hasTarget() const
{
    std::lock_guard lock(mutex_);
    return target_.present != nullptr;
}

bool Callbacks::targetSize(int32_t& width, int32_t& height) const
{
    std::lock_guard lock(mutex_);
    width = 0;
    height = 0;
    if (!target_.present || !target_.size)
        return false;
    target_.size(target_.user, &width, &height);
    return width > 0 && height > 0;
}

void Callbacks::present(uint32_t handle, const uint8_t* bgra, int32_t width, int32_t height,
                        int32_t stride)
{
    std::lock_guard lock(mutex_);
    if (target_.present)
        target_.present(target_.user, bgra, width, height, stride);
    if (drawFn_)
        drawFn_(handle, bgra, width, height, stride, drawUser_);
}

void Callbacks::message(int32_t msg)
{
    std::lock_guard lock(mutex_);
    if (messageFn_)
        messageFn_(msg, messageContext_);
}

bool Callbacks::hasImageHooks() const
{
    std::lock_guard lock(mutex_);
    return hooks_.allocate && hooks_.ready;
}

} // namespace kvplay

#include "Library.h"

#include <malloc.h>

#include <vector>

extern "C" {
#include <libavutil/log.h>
}

namespace kvplay {

Library& Library::get()
{
    static Library instance;
    return instance;
}

int Library::init()
{
    std::lock_guard lock(mutex_);
    if (!initialised_) {
        // Damaged recordings make the decoders chatty; their complaints are not ours to print.
        av_log_set_level(AV_LOG_QUIET);
        initialised_ = true;
    }
    return KV_OK;
}

int Library::deinit()
{
    std::map<uint32_t, std::shared_ptr<Player>> left;
    {
        std::lock_guard lock(mutex_);
        if (!initialised_)
            return KV_ERR_NOT_INIT;
        left.swap(players_);
        initialised_ = false;
    }
    for (auto& [handle, player] : left)
        player->destroy();
    sync_.clear();
    clips_.waitAll();
    return KV_OK;
}

bool Library::initialised() const
{
    std::lock_guard lock(mutex_);
    return initialised_;
}

uint32_t Library::create(bool clockOnly)
{
    std::lock_guard lock(mutex_);
    if (!initialised_)
        return 0;
    uint32_t h = next_;
    while (h == 0 || players_.count(h))
        ++h;
    next_ = h + 1;
    players_.emplace(h, std::make_shared<Player>(h, clockOnly));
    return h;
}

int Library::destroy(uint32_t handle)
{
    std::shared_ptr<Player> player;
    bool last = false;
    {
        std::lock_guard lock(mutex_);
        auto it = players_.find(handle);
        if (it == players_.end())
            return KV_ERR_HANDLE;
        player = std::move(it->second);
        players_.erase(it);
        last = players_.empty();
    }
    player->destroy();
    sync_.forget(handle);
    player.reset();
    // The decoders' frame pools and the threads' malloc arenas stay with
    // the C library after they are freed; with no instance left, give the
    // free pages back to the system.
    if (last)
        malloc_trim(0);
    return KV_OK;
}

std::shared_ptr<Player> Library::find(uint32_t handle) const
{
    std::lock_guard lock(mutex_);
    auto it = players_.find(handle);
    return it == players_.end() ? nullptr : it->second;
}

} // namespace kvplay

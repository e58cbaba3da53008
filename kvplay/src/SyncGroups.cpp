#include "SyncGroups.h"

#include "Player.h"
#include "kvplay.h"

namespace kvplay {

SyncGroups::SyncGroups(Finder find) : find_(std::move(find)) {}

int SyncGroups::join(uint32_t master, uint32_t h)
{
    std::lock_guard lock(mutex_);
    const std::shared_ptr<Player> follower = find_(h);
    if (!follower || !find_(master))
        return KV_ERR_HANDLE;
    const auto up = masterOf_.find(master);
    const uint32_t root = up != masterOf_.end() ? up->second : master;
    if (root == h)
        return KV_ERR_PARAM;
    if (leads(h) || follower->clockOnly())
        return KV_ERR_STATE;
    const std::shared_ptr<Player> lead = find_(root);
    if (!lead)
        return KV_ERR_HANDLE;
    masterOf_[h] = root;
    follower->clock()->follow(lead->clock(), lead->clockOnly());
    follower->applyGroupMode(lead->lastMode());
    follower->alignTo(follower->clock()->now());
    return KV_OK;
}

void SyncGroups::modeChanged(uint32_t h)
{
    std::lock_guard lock(mutex_);
    const auto followers = followersOf(h);
    if (followers.empty())
        return;
    const std::shared_ptr<Player> lead = find_(h);
    if (!lead)
        return;
    // Read now rather than passed in: of two racing mode changes, the
    // followers end with the one the master kept.
    const int mode = lead->lastMode();
    for (const auto& f : followers)
        f->applyGroupMode(mode);
}

void SyncGroups::moved(uint32_t h)
{
    std::lock_guard lock(mutex_);
    const auto up = masterOf_.find(h);
    if (up != masterOf_.end()) {
        // A follower's clock reads the master's time in its own file's terms.
        if (const std::shared_ptr<Player> self = find_(h))
            self->alignTo(self->clock()->now());
        return;
    }
    for (const auto& f : followersOf(h))
        f->alignTo(f->clock()->now());
}

void SyncGroups::forget(uint32_t h)
{
    std::lock_guard lock(mutex_);
    masterOf_.erase(h);
    for (auto it = masterOf_.begin(); it != masterOf_.end();) {
        if (it->second != h) {
            ++it;
            continue;
        }
        if (const std::shared_ptr<Player> f = find_(it->first))
            f->clock()->follow(nullptr);
        it = masterOf_.erase(it);
    }
}

void SyncGroups::clear()
{
    std::lock_guard lock(mutex_);
    masterOf_.clear();
}

int64_t SyncGroups::shortestFrameUs(uint32_t h) const
{
    std::lock_guard lock(mutex_);
    int64_t shortest = 0;
    for (const auto& f : followersOf(h)) {
        const int64_t us = f->frameDurationUs();
        if (us > 0 && (shortest == 0 || us < shortest))
            shortest = us;
    }
    return shortest;
}

std::vector<std::shared_ptr<Player>> SyncGroups::followersOf(uint32_t master) const
{
    std::vector<std::shared_ptr<Player>> out;
    for (const auto& [follower, lead] : masterOf_) {
        if (lead != master)
            continue;
        if (std::shared_ptr<Player> p = find_(follower))
            out.push_back(std::move(p));
    }
    return out;
}

bool SyncGroups::leads(uint32_t h) const
{
    for (const auto& entry : masterOf_) {
        if (entry.second == h)
            return true;
    }
    return false;
}

} // namespace kvplay

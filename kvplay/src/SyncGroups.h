// Instances that play in sync: a master and the instances that follow its
// clock. Followers never lead others, so clocks never form chains or loops.
//
// Lock order: the group lock first, then one instance's lock at a time. It
// is never taken while an instance's lock is held; the API calls in here only
// after the instance's own call has returned.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace kvplay {

class Player;

class SyncGroups {
public:
    using Finder = std::function<std::shared_ptr<Player>(uint32_t)>;
    explicit SyncGroups(Finder find);

    // h follows master, or master's own master when master follows one.
    // KV_OK or a KV_ERR_* code as documented for KvPlayAddSyncPlayInstance.
    int join(uint32_t master, uint32_t h);
    // h's mode changed: its followers take it.
    void modeChanged(uint32_t h);
    // h started or sought: its followers move to its clock's position, or h
    // moves to its master's.
    void moved(uint32_t h);
    // The shortest frame interval of the files that follow h, us; 0 when
    // none follows.
    int64_t shortestFrameUs(uint32_t h) const;
    // h is going away: it leaves its group, and its followers carry on alone.
    void forget(uint32_t h);
    void clear();

private:
    // With mutex_ held.
    std::vector<std::shared_ptr<Player>> followersOf(uint32_t master) const;
    bool leads(uint32_t h) const;

    const Finder find_;
    mutable std::mutex mutex_;
    std::map<uint32_t, uint32_t> masterOf_; // follower -> master; guarded by mutex_
};

} // namespace kvplay

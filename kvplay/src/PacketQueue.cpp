#include "PacketQueue.h"

namespace kvplay {

PacketQueue::PacketQueue(size_t maxPackets, int64_t maxBytes)
    : maxPackets_(maxPackets), maxBytes_(maxBytes)
{
}

bool PacketQueue::fullLocked() const
{
    // Always admit one packet, so a single huge packet cannot block forever.
    return !items_.empty() && (items_.size() >= maxPackets_ || bytes_ >= maxBytes_);
}

bool PacketQueue::push(PacketPtr packet, int serial)
{
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return aborted_ || !fullLocked(); });
    if (aborted_)
        return false;
    bytes_ += packet ? packet->size : 0;
    items_.push_back({std::move(packet), serial});
    cv_.notify_all();
    return true;
}

bool PacketQueue::pop(QueuedPacket& out)
{
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return aborted_ || !items_.empty(); });
    if (aborted_)
        return false;
    out = std::move(items_.front());
    items_.pop_front();
    bytes_ -= out.packet ? out.packet->size : 0;
    cv_.notify_all();
    return true;
}

void PacketQueue::clear()
{
    std::lock_guard lock(mutex_);
    items_.clear();
    bytes_ = 0;
    cv_.notify_all();
}

void PacketQueue::abort()
{
    std::lock_guard lock(mutex_);
    aborted_ = true;
    cv_.notify_all();
}

void PacketQueue::reset()
{
    std::lock_guard lock(mutex_);
    aborted_ = false;
    items_.clear();
    bytes_ = 0;
}

size_t PacketQueue::size() const
{
    std::lock_guard lock(mutex_);
    return items_.size();
}

} // namespace kvplay

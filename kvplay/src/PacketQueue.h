// Bounded queue of demuxed packets between the reader and one decoder. Every
// entry carries the serial of the seek it belongs to; a null packet marks the
// end of the input for that serial.
#pragma once

#include "AvPtr.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace kvplay {

struct QueuedPacket {
    PacketPtr packet; // null: end of input
    int serial = 0;
};

class PacketQueue {
public:
    PacketQueue(size_t maxPackets, int64_t maxBytes);

    // Blocks while full. False when aborted (the packet is dropped).
    bool push(PacketPtr packet, int serial);
    // Blocks while empty. False when aborted.
    bool pop(QueuedPacket& out);
    // Drops everything queued.
    void clear();
    // Wakes every waiter; push and pop fail from now on until reset().
    void abort();
    void reset();
    size_t size() const;

private:
    bool fullLocked() const;

    const size_t maxPackets_;
    const int64_t maxBytes_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    std::deque<QueuedPacket> items_; // guarded by mutex_
    int64_t bytes_ = 0;              // guarded by mutex_
    bool aborted_ = false;           // guarded by mutex_
};

} // namespace kvplay

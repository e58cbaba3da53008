// Single-producer single-consumer byte ring without locks: the audio decoder
// writes, the sound device callback reads. Neither side ever blocks.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kvplay {

class ByteRing {
public:
    explicit ByteRing(size_t capacity) : buffer_(capacity) {}

    size_t capacity() const { return buffer_.size(); }
    size_t readable() const { return write_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire); }
    size_t writable() const { return capacity() - readable(); }

    // Producer: copies as much as fits; returns the bytes written.
    size_t write(const uint8_t* data, size_t size)
    {
        const size_t w = write_.load(std::memory_order_relaxed);
        const size_t n = std::min(size, capacity() - (w - read_.load(std::memory_order_acquire)));
        copyIn(w % capacity(), data, n);
        write_.store(w + n, std::memory_order_release);
        return n;
    }

    // Consumer: copies up to size bytes; returns the bytes read.
    size_t read(uint8_t* out, size_t size)
    {
        const size_t r = read_.load(std::memory_order_relaxed);
        const size_t n = std::min(size, write_.load(std::memory_order_acquire) - r);
        copyOut(r % capacity(), out, n);
        read_.store(r + n, std::memory_order_release);
        return n;
    }

    // Consumer: drops everything written so far.
    void drain() { read_.store(write_.load(std::memory_order_acquire), std::memory_order_release); }

private:
    void copyIn(size_t at, const uint8_t* data, size_t n)
    {
        const size_t first = std::min(n, capacity() - at);
        std::memcpy(buffer_.data() + at, data, first);
        std::memcpy(buffer_.data(), data + first, n - first);
    }
    void copyOut(size_t at, uint8_t* out, size_t n) const
    {
        const size_t first = std::min(n, capacity() - at);
        std::memcpy(out, buffer_.data() + at, first);
        std::memcpy(out + first, buffer_.data(), n - first);
    }

    std::vector<uint8_t> buffer_;
    std::atomic<size_t> write_{0};
    std::atomic<size_t> read_{0};
};

} // namespace kvplay

// The lock-free sound ring on its own: wrap-around at the end of its buffer,
// writes cut to the free space, and a producer and a consumer on two threads
// that never lose, repeat or reorder a byte.
#include "ByteRing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace kvtest {
namespace {

using kvplay::ByteRing;

std::vector<uint8_t> counting(uint8_t first, size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(first + i);
    return bytes;
}

TEST(ByteRingTest, WrapsAroundAndWritesOnlyWhatFits)
{
    ByteRing ring(8);
    EXPECT_EQ(ring.write(counting(0, 6).data(), 6), 6U);
    EXPECT_EQ(ring.readable(), 6U);
    EXPECT_EQ(ring.writable(), 2U);
    std::vector<uint8_t> out(8);
    ASSERT_EQ(ring.read(out.data(), 4), 4U);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), counting(0, 4));

    EXPECT_EQ(ring.write(counting(6, 7).data(), 7), 6U) << "six bytes are free";
    EXPECT_EQ(ring.write(counting(12, 1).data(), 1), 0U) << "a full ring takes nothing";
    ASSERT_EQ(ring.read(out.data(), out.size()), 8U);
    EXPECT_EQ(out, counting(4, 8)) << "in order across the end of the buffer";
    EXPECT_EQ(ring.read(out.data(), 1), 0U) << "an empty ring gives nothing";

    ring.write(counting(0, 5).data(), 5);
    ring.drain();
    EXPECT_EQ(ring.readable(), 0U);
    EXPECT_EQ(ring.write(counting(20, 8).data(), 8), 8U);
    ASSERT_EQ(ring.read(out.data(), 8), 8U);
    EXPECT_EQ(out, counting(20, 8));
}

TEST(ByteRingTest, AProducerAndAConsumerOnTwoThreadsKeepEveryByte)
{
    constexpr size_t kTotal = 1 << 20;
    ByteRing ring(4096);
    const std::vector<uint8_t> source = counting(7, kTotal);
    std::thread producer([&] {
        size_t written = 0;
        size_t chunk = 1;
        while (written < kTotal) {
            const size_t n = ring.write(source.data() + written, std::min(chunk, kTotal - written));
            written += n;
            chunk = chunk % 1500 + 97;
            if (n == 0)
                std::this_thread::yield();
        }
    });
    std::vector<uint8_t> received;
    received.reserve(kTotal);
    std::vector<uint8_t> buffer(1100);
    size_t chunk = 1;
    while (received.size() < kTotal) {
        const size_t n = ring.read(buffer.data(), chunk);
        received.insert(received.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
        chunk = chunk % 1000 + 61;
        if (n == 0)
            std::this_thread::yield();
    }
    producer.join();
    EXPECT_TRUE(received == source);
    EXPECT_EQ(ring.readable(), 0U);
}

} // namespace
} // namespace kvtest

// The queue between the reader and a decoder on its own: its two bounds, the
// flush at a seek, and abort, which must release every thread waiting on it.
#include "BlockingCall.h"

#include "PacketQueue.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kvtest {
namespace {

using kvplay::PacketPtr;
using kvplay::PacketQueue;
using kvplay::QueuedPacket;

PacketPtr packetOf(int size)
{
    PacketPtr packet = kvplay::makePacket();
    EXPECT_EQ(av_new_packet(packet.get(), size), 0);
    return packet;
}

TEST(PacketQueueTest, HoldsTheProducerAtEitherBound)
{
    PacketQueue byCount(3, 1 << 20);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(byCount.push(packetOf(1), 0));
    BlockingCall fourth([&] { return byCount.push(packetOf(1), 0); });
    EXPECT_TRUE(fourth.held()) << "three packets fill a queue of three";
    QueuedPacket out;
    ASSERT_TRUE(byCount.pop(out));
    EXPECT_TRUE(fourth.result());
    EXPECT_EQ(byCount.size(), 3U);

    PacketQueue byBytes(100, 100);
    ASSERT_TRUE(byBytes.push(packetOf(60), 0));
    ASSERT_TRUE(byBytes.push(packetOf(60), 0)) << "60 bytes are below the bound";
    BlockingCall third([&] { return byBytes.push(packetOf(1), 0); });
    EXPECT_TRUE(third.held()) << "120 bytes are over it";
    ASSERT_TRUE(byBytes.pop(out));
    EXPECT_EQ(out.packet->size, 60);
    EXPECT_TRUE(third.result());

    PacketQueue small(4, 10);
    EXPECT_TRUE(small.push(packetOf(1000), 0)) << "an empty queue admits a packet of any size";
    BlockingCall next([&] { return small.push(nullptr, 0); });
    EXPECT_TRUE(next.held());
    small.abort();
    EXPECT_FALSE(next.result());
}

TEST(PacketQueueTest, AFlushDropsTheOldSerialAndReleasesTheProducer)
{
    PacketQueue queue(3, 1 << 20);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(queue.push(packetOf(8), 1));
    BlockingCall held([&] { return queue.push(packetOf(16), 1); });
    EXPECT_TRUE(held.held());

    queue.clear();
    EXPECT_TRUE(held.result()) << "the flush makes room";
    ASSERT_TRUE(queue.push(packetOf(32), 2));
    ASSERT_TRUE(queue.push(nullptr, 2)) << "the end of the input";

    QueuedPacket out;
    ASSERT_TRUE(queue.pop(out));
    EXPECT_EQ(out.serial, 1);
    EXPECT_EQ(out.packet->size, 16) << "only the packet pushed after the flush is left of serial 1";
    ASSERT_TRUE(queue.pop(out));
    EXPECT_EQ(out.serial, 2);
    EXPECT_EQ(out.packet->size, 32);
    ASSERT_TRUE(queue.pop(out));
    EXPECT_EQ(out.serial, 2);
    EXPECT_EQ(out.packet, nullptr);
    EXPECT_EQ(queue.size(), 0U);
}

TEST(PacketQueueTest, AbortWakesEveryWaiterUntilReset)
{
    PacketQueue empty(4, 1 << 20);
    std::vector<std::unique_ptr<BlockingCall>> consumers;
    for (int i = 0; i < 3; ++i)
        consumers.push_back(std::make_unique<BlockingCall>([&] {
            QueuedPacket out;
            return empty.pop(out);
        }));
    PacketQueue full(1, 1 << 20);
    ASSERT_TRUE(full.push(packetOf(1), 0));
    std::vector<std::unique_ptr<BlockingCall>> producers;
    for (int i = 0; i < 2; ++i)
        producers.push_back(std::make_unique<BlockingCall>([&] { return full.push(packetOf(1), 0); }));
    EXPECT_TRUE(consumers.front()->held());
    EXPECT_TRUE(producers.front()->held());

    empty.abort();
    full.abort();
    for (const auto& consumer : consumers)
        EXPECT_FALSE(consumer->result());
    for (const auto& producer : producers)
        EXPECT_FALSE(producer->result());
    QueuedPacket out;
    EXPECT_FALSE(full.pop(out)) << "an aborted queue gives nothing, even what it holds";
    EXPECT_FALSE(empty.push(packetOf(1), 0));

    full.reset();
    EXPECT_EQ(full.size(), 0U);
    ASSERT_TRUE(full.push(packetOf(5), 3));
    ASSERT_TRUE(full.pop(out));
    EXPECT_EQ(out.serial, 3);
}

} // namespace
} // namespace kvtest

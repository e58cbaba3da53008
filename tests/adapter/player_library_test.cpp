#include "PlayerLibrary.h"

#include "kvplay.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayerLibraryTest, StartsOnceAndReleasesOnce)
{
    EXPECT_EQ(PlayerLibrary::startHook(), 0);
    EXPECT_FALSE(PlayerLibrary::isInitialised());
    EXPECT_EQ(KvPlayCreatePlayInstance(0), 0U) << "no player before the libraries start";

    ASSERT_TRUE(PlayerLibrary::start());
    EXPECT_TRUE(PlayerLibrary::isInitialised());
    EXPECT_TRUE(PlayerLibrary::start()) << "a second start changes nothing";
    const uint32_t handle = KvPlayCreatePlayInstance(0);
    EXPECT_NE(handle, 0U);

    PlayerLibrary::release();
    EXPECT_FALSE(PlayerLibrary::isInitialised());
    EXPECT_NE(KvPlayDestroyPlayInstance(handle), 0) << "release destroys what was left";
    PlayerLibrary::release();
    EXPECT_FALSE(PlayerLibrary::isInitialised());

    ASSERT_TRUE(PlayerLibrary::start()) << "the libraries can start again";
    PlayerLibrary::release();
}

TEST(PlayerLibraryTest, PassesTheHardwareDecodingLimitWithoutStartingTheLibraries)
{
    EXPECT_EQ(PlayerLibrary::maxHardwareDecoders(), KV_DEFAULT_HARDWARE_DECODERS);
    EXPECT_EQ(PlayerLibrary::setMaxHardwareDecoders(0), 0);
    EXPECT_EQ(PlayerLibrary::maxHardwareDecoders(), 0);
    EXPECT_NE(PlayerLibrary::setMaxHardwareDecoders(-1), 0);
    EXPECT_EQ(PlayerLibrary::maxHardwareDecoders(), 0);
    EXPECT_EQ(PlayerLibrary::setMaxHardwareDecoders(KV_DEFAULT_HARDWARE_DECODERS), 0);
    EXPECT_FALSE(PlayerLibrary::isInitialised());
}

}

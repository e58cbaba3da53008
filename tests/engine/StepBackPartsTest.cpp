// The parts of stepping back on their own: the picture cache's budget and
// what it gives up first, the frame timeline, the plans, and the stepper on
// a long 1080p file, whose cache stays within its budget.
#include "BackStepper.h"
#include "FrameTimeline.h"
#include "GopCache.h"
#include "MediaFixture.h"
#include "StepBackPlan.h"

#include <vector>

namespace kvtest {
namespace {

using kvplay::BackPlan;
using kvplay::BackStepper;
using kvplay::FramePtr;
using kvplay::FrameTimeline;
using kvplay::GopCache;
using kvplay::Span;

FramePtr picture(int width, int height)
{
    FramePtr f = kvplay::makeFrame();
    f->format = AV_PIX_FMT_YUV420P;
    f->width = width;
    f->height = height;
    if (av_frame_get_buffer(f.get(), 0) < 0)
        return nullptr;
    return f;
}

// Frames every 40 ms from `from` to `to`, both included.
std::vector<int64_t> frames(int from, int to)
{
    std::vector<int64_t> out;
    for (int i = from; i <= to; ++i)
        out.push_back(i * kFrameUs);
    return out;
}

TEST(GopCacheTest, GivesUpPicturesAfterTheFocusFirstThenTheFarthestBefore)
{
    const size_t each = GopCache::sizeOf(*picture(64, 48));
    GopCache cache(each * 3);
    cache.setFocus(10 * kFrameUs);
    EXPECT_TRUE(cache.put(11 * kFrameUs, picture(64, 48)));
    EXPECT_TRUE(cache.put(4 * kFrameUs, picture(64, 48)));
    EXPECT_TRUE(cache.put(8 * kFrameUs, picture(64, 48)));
    // Full: the one after the focus makes room, although it is the nearest.
    EXPECT_TRUE(cache.put(9 * kFrameUs, picture(64, 48)));
    EXPECT_FALSE(cache.has(11 * kFrameUs));
    // Then the farthest before it.
    EXPECT_TRUE(cache.put(7 * kFrameUs, picture(64, 48)));
    EXPECT_FALSE(cache.has(4 * kFrameUs));
    // A picture farther than all kept ones is refused.
    EXPECT_FALSE(cache.put(2 * kFrameUs, picture(64, 48)));
    EXPECT_FALSE(cache.put(12 * kFrameUs, picture(64, 48)));
    EXPECT_EQ(cache.count(), 3u);
    EXPECT_EQ(cache.bytes(), each * 3);
    EXPECT_EQ(cache.peakBytes(), each * 3);
    ASSERT_NE(cache.get(9 * kFrameUs), nullptr);
    EXPECT_EQ(cache.get(9 * kFrameUs)->width, 64);
}

TEST(GopCacheTest, RefusesWhatCannotFitAndReplacesAPictureOfTheSameFrame)
{
    const size_t each = GopCache::sizeOf(*picture(64, 48));
    GopCache cache(each + each / 2);
    EXPECT_FALSE(cache.put(0, picture(640, 480)));
    EXPECT_FALSE(cache.put(0, nullptr));
    EXPECT_TRUE(cache.put(0, picture(64, 48)));
    EXPECT_TRUE(cache.put(0, picture(64, 48)));
    EXPECT_EQ(cache.bytes(), each);
    cache.clear();
    EXPECT_EQ(cache.bytes(), 0u);
    EXPECT_FALSE(cache.has(0));
    EXPECT_EQ(cache.get(0), nullptr);
}

TEST(FrameTimelineTest, LinksNeighboursOfDecodedStretchesAndKnowsTheFirstFrame)
{
    FrameTimeline t;
    t.addRun(frames(25, 30));
    t.addRun({10 * kFrameUs, 12 * kFrameUs, 25 * kFrameUs});
    EXPECT_EQ(t.before(25 * kFrameUs), 12 * kFrameUs);
    EXPECT_EQ(t.after(12 * kFrameUs), 25 * kFrameUs);
    EXPECT_EQ(t.after(30 * kFrameUs), std::nullopt);
    EXPECT_EQ(t.before(10 * kFrameUs), std::nullopt);
    // A new decode of the same stretch that finds more frames wins.
    t.addRun(frames(10, 25));
    EXPECT_EQ(t.before(25 * kFrameUs), 24 * kFrameUs);
    EXPECT_EQ(t.after(12 * kFrameUs), 13 * kFrameUs);
    EXPECT_FALSE(t.isFirst(10 * kFrameUs));
    t.markFirst(10 * kFrameUs);
    EXPECT_TRUE(t.isFirst(10 * kFrameUs));
}

TEST(StepBackPlanTest, ShowsKeptPicturesDecodesStretchesAndStopsAtTheStart)
{
    FrameTimeline t;
    GopCache cache(64u << 20);
    // Nothing known: decode what ends at the frame on screen.
    BackPlan plan = kvplay::planBack(t, cache, 30 * kFrameUs);
    EXPECT_EQ(plan.kind, BackPlan::Kind::Decode);
    EXPECT_EQ(plan.span, (Span{30 * kFrameUs - 1, 30 * kFrameUs}));
    t.addRun(frames(25, 30));
    cache.put(29 * kFrameUs, picture(16, 16));
    plan = kvplay::planBack(t, cache, 30 * kFrameUs);
    EXPECT_EQ(plan.kind, BackPlan::Kind::Show);
    EXPECT_EQ(plan.ptsUs, 29 * kFrameUs);
    // Known but not kept: its own stretch only.
    plan = kvplay::planBack(t, cache, 29 * kFrameUs);
    EXPECT_EQ(plan.kind, BackPlan::Kind::Decode);
    EXPECT_EQ(plan.span, (Span{28 * kFrameUs, 29 * kFrameUs}));
    t.markFirst(25 * kFrameUs);
    EXPECT_EQ(kvplay::planBack(t, cache, 25 * kFrameUs).kind, BackPlan::Kind::AtStart);
    EXPECT_EQ(kvplay::planForward(t, cache, 28 * kFrameUs), 29 * kFrameUs);
    EXPECT_EQ(kvplay::planForward(t, cache, 29 * kFrameUs), std::nullopt);
}

TEST(StepBackPlanTest, DecodesAheadUntilEnoughPicturesBeforeTheFocusAreKept)
{
    FrameTimeline t;
    GopCache cache(64u << 20);
    t.addRun(frames(25, 30));
    for (int i = 25; i < 30; ++i)
        cache.put(i * kFrameUs, picture(16, 16));
    // Five kept before 30; ten wanted: the stretch that ends at 25.
    EXPECT_EQ(kvplay::planAhead(t, cache, 30 * kFrameUs, 10), (Span{25 * kFrameUs - 1, 25 * kFrameUs}));
    EXPECT_EQ(kvplay::planAhead(t, cache, 30 * kFrameUs, 5), std::nullopt);
    t.markFirst(25 * kFrameUs);
    EXPECT_EQ(kvplay::planAhead(t, cache, 30 * kFrameUs, 10), std::nullopt);
    // Half the budget at the current picture size, within bounds.
    GopCache small(GopCache::sizeOf(*picture(16, 16)) * 9);
    small.put(0, picture(16, 16));
    EXPECT_EQ(kvplay::framesWanted(small, 96), 4u);
    EXPECT_EQ(kvplay::framesWanted(cache, 3), 3u);
}

class BackStepperTest : public EngineTest {};

TEST_F(BackStepperTest, TheCacheStaysWithinItsBudgetThroughALong1080pFile)
{
    const std::string path = media().dir + "/long1080.mp4";
    ASSERT_TRUE(runFfmpeg("-f lavfi -i testsrc2=size=1920x1080:rate=25:duration=8 -c:v libx264 -preset ultrafast "
                          "-g 50 -bf 2 -pix_fmt yuv420p " + path));
    BackStepper stepper(path, nullptr);
    BackStepper::Target full;
    full.width = 1920;
    full.height = 1080;
    // From the last frame back through three keyframes, the picture at full
    // screen size: 3 MB each, so far fewer than a group of pictures fit.
    int64_t at = 199 * kFrameUs;
    for (int step = 0; step < 130; ++step) {
        BackStepper::Picture p;
        ASSERT_EQ(stepper.previous(at, full, p), BackStepper::Result::Shown) << step;
        ASSERT_EQ(p.ptsUs, at - kFrameUs) << step;
        ASSERT_EQ(p.frame->width, 1920);
        at = p.ptsUs;
        ASSERT_LE(stepper.peakBytes(), stepper.budget()) << step;
    }
    // The look-ahead fills the budget with the frames just before the focus.
    stepper.waitIdle();
    EXPECT_GT(stepper.cachedBytes(), stepper.budget() / 3);
    EXPECT_LE(stepper.peakBytes(), BackStepper::kDefaultBudget);
}

TEST_F(BackStepperTest, SmallTilesKeepTheWholeGroupOfPicturesAndTheOneBefore)
{
    BackStepper stepper(media().mp4, nullptr);
    BackStepper::Target tile;
    tile.width = 64;
    tile.height = 48;
    BackStepper::Picture p;
    ASSERT_EQ(stepper.previous(45 * kFrameUs, tile, p), BackStepper::Result::Shown);
    EXPECT_EQ(p.ptsUs, 44 * kFrameUs);
    stepper.waitIdle();
    // Everything from the file's start is now at hand, both ways.
    for (int frame = 43; frame >= 0; --frame) {
        ASSERT_TRUE(stepper.next(frame * kFrameUs, tile, p)) << frame;
        EXPECT_EQ(p.ptsUs, (frame + 1) * kFrameUs);
    }
    EXPECT_EQ(stepper.previous(0, tile, p), BackStepper::Result::AtStart);
    EXPECT_TRUE(stepper.at(20 * kFrameUs, BackStepper::Target{32, 24, {}}, p));
    EXPECT_EQ(p.frame->width, 32);
    EXPECT_EQ(p.ptsUs, 20 * kFrameUs);
}

} // namespace
} // namespace kvtest

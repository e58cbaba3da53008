// View area (zoom) and aspect modes, seen in the presented pixels, and the
// geometry helpers behind them.
#include "MediaFixture.h"

#include "Scaler.h"

#include <thread>

namespace kvtest {
namespace {

using namespace std::chrono_literals;

enum class Colour { Blue, Red, Black, Other };

Colour colourOf(uint32_t bgra)
{
    const int b = static_cast<int>(bgra & 0xff);
    const int g = static_cast<int>((bgra >> 8) & 0xff);
    const int r = static_cast<int>((bgra >> 16) & 0xff);
    if (b < 40 && g < 40 && r < 40)
        return Colour::Black;
    if (b > 180 && r < 80 && g < 80)
        return Colour::Blue;
    if (r > 180 && b < 80 && g < 80)
        return Colour::Red;
    return Colour::Other;
}

class ViewTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        h_ = openFile(media().halves);
        KvPlaySetPlayWnd(h_, target_.target());
        KvPlaySetPlayMode(h_, KV_MODE_PAUSE, 0);
        ASSERT_EQ(KvPlayStartPlay(h_), KV_OK);
        ASSERT_TRUE(target_.waitPresents(1, 10s));
    }
    void TearDown() override
    {
        KvPlayDestroyPlayInstance(h_);
        EngineTest::TearDown();
    }
    // Applies a change and waits for the present it causes.
    template <typename F>
    void change(F&& f)
    {
        const int before = target_.presents();
        ASSERT_EQ(f(), KV_OK);
        ASSERT_TRUE(target_.waitPresents(before + 1, 10s));
    }
    Colour at(int x, int y) const { return colourOf(target_.lastPixel(x, y)); }

    TestTarget target_{400, 150};
    uint32_t h_ = 0;
};

TEST_F(ViewTest, FillStretchesTheWholePicture)
{
    EXPECT_EQ(at(10, 75), Colour::Blue);
    EXPECT_EQ(at(390, 75), Colour::Red);
}

TEST_F(ViewTest, FitKeepsTheAspectWithBlackBars)
{
    change([this] { return KvPlayRenderActualProportion(h_, KV_ASPECT_FIT); });
    // 320x240 into 400x150: 200x150 in the middle.
    EXPECT_EQ(at(50, 75), Colour::Black);
    EXPECT_EQ(at(350, 75), Colour::Black);
    EXPECT_EQ(at(150, 75), Colour::Blue);
    EXPECT_EQ(at(250, 75), Colour::Red);
    // Back to fill: the bars go.
    change([this] { return KvPlayRenderActualProportion(h_, KV_ASPECT_FILL); });
    EXPECT_EQ(at(50, 75), Colour::Blue);
}

TEST_F(ViewTest, CropKeepsTheAspectAndFills)
{
    change([this] { return KvPlayRenderActualProportion(h_, KV_ASPECT_CROP); });
    EXPECT_EQ(at(5, 5), Colour::Blue);
    EXPECT_EQ(at(395, 145), Colour::Red);
    EXPECT_EQ(KvPlayRenderActualProportion(h_, 7), KV_ERR_PARAM);
}

TEST_F(ViewTest, ViewAreaZoomsIntoInsets)
{
    change([this] { return KvPlayAdjustViewArea(h_, 160, 0, 0, 0); });
    EXPECT_EQ(at(5, 5), Colour::Red);
    EXPECT_EQ(at(395, 145), Colour::Red);
    change([this] { return KvPlayAdjustViewArea(h_, 0, 160, 0, 0); });
    EXPECT_EQ(at(395, 145), Colour::Blue);
    // Insets that leave nothing show the whole picture.
    change([this] { return KvPlayAdjustViewArea(h_, -1, 0, -1, 0); });
    EXPECT_EQ(at(5, 75), Colour::Blue);
    EXPECT_EQ(at(395, 75), Colour::Red);
}

AVFrame pictureOf(int w, int h)
{
    AVFrame f{};
    f.width = w;
    f.height = h;
    f.format = AV_PIX_FMT_YUV420P;
    f.sample_aspect_ratio = {1, 1};
    return f;
}

TEST(ScalerTest, SourceRectHonoursInsetsOnTheChromaGrid)
{
    const AVFrame f = pictureOf(320, 240);
    const kvplay::Rect r = kvplay::Scaler::sourceRect(f, {11, 20, 7, 30, 0});
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 6);
    EXPECT_EQ(r.x + r.w, 300);
    EXPECT_EQ(r.y + r.h, 210);
    const kvplay::Rect all = kvplay::Scaler::sourceRect(f, {200, 200, 0, 0, 0});
    EXPECT_EQ(all.w, 320);
    EXPECT_EQ(all.h, 240);
}

TEST(ScalerTest, FitAndCropRectangles)
{
    const AVFrame f = pictureOf(320, 240);
    kvplay::Rect src{0, 0, 320, 240};
    kvplay::Rect dest;
    kvplay::Scaler::fitRects(f, src, 400, 150, KV_ASPECT_FIT, dest);
    EXPECT_EQ(dest.x, 100);
    EXPECT_EQ(dest.w, 200);
    EXPECT_EQ(dest.h, 150);
    kvplay::Rect crop{0, 0, 320, 240};
    kvplay::Scaler::fitRects(f, crop, 400, 150, KV_ASPECT_CROP, dest);
    EXPECT_EQ(dest.w, 400);
    EXPECT_EQ(crop.w, 320);
    EXPECT_EQ(crop.h, 120);
    EXPECT_EQ(crop.y, 60);
}

TEST(ScalerTest, NeverBicubicWhenShrinking)
{
    EXPECT_EQ(kvplay::Scaler::flagsFor(1920, 1080, 320, 180), SWS_FAST_BILINEAR);
    EXPECT_EQ(kvplay::Scaler::flagsFor(1920, 1080, 1280, 720), SWS_BILINEAR);
    EXPECT_EQ(kvplay::Scaler::flagsFor(704, 576, 1920, 1080), SWS_BICUBIC);
}

} // namespace
} // namespace kvtest

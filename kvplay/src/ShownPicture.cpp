#include "ShownPicture.h"

#include "kvplay.h"

namespace kvplay {

FramePtr shownPicture(const AVFrame& full, int width, int height, const ViewSettings& view, SwsPtr& ctx)
{
    if (width <= 0 || height <= 0 || full.width <= 0 || full.height <= 0)
        return nullptr;
    Rect source = Scaler::sourceRect(full, view);
    Rect dest;
    Scaler::fitRects(full, source, width, height, view.aspect, dest);
    FramePtr cut = makeFrame();
    if (!cut || av_frame_ref(cut.get(), &full) < 0)
        return nullptr;
    cut->crop_left = static_cast<size_t>(source.x);
    cut->crop_top = static_cast<size_t>(source.y);
    cut->crop_right = static_cast<size_t>(full.width - source.x - source.w);
    cut->crop_bottom = static_cast<size_t>(full.height - source.y - source.h);
    if (av_frame_apply_cropping(cut.get(), AV_FRAME_CROP_UNALIGNED) < 0)
        return nullptr;
    FramePtr out = makeFrame();
    if (!out)
        return nullptr;
    out->format = AV_PIX_FMT_YUV420P;
    out->width = dest.w;
    out->height = dest.h;
    if (av_frame_get_buffer(out.get(), 0) < 0)
        return nullptr;
    ctx.reset(sws_getCachedContext(ctx.release(), cut->width, cut->height, static_cast<AVPixelFormat>(cut->format),
                                   dest.w, dest.h, AV_PIX_FMT_YUV420P,
                                   Scaler::flagsFor(cut->width, cut->height, dest.w, dest.h), nullptr, nullptr,
                                   nullptr));
    if (!ctx || sws_scale(ctx.get(), cut->data, cut->linesize, 0, cut->height, out->data, out->linesize) <= 0)
        return nullptr;
    return out;
}

ViewSettings shownPictureView(const ViewSettings& view)
{
    ViewSettings v;
    v.aspect = view.aspect == KV_ASPECT_FIT ? KV_ASPECT_FIT : KV_ASPECT_FILL;
    return v;
}

} // namespace kvplay

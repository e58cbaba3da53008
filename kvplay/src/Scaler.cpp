#include "Scaler.h"

#include "kvplay.h"

#include <algorithm>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace kvplay {

namespace {

int alignDown(int v, int shift) { return (v >> shift) << shift; }

double sampleAspect(const AVFrame& src)
{
    const AVRational sar = src.sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0)
        return 1.0;
    return av_q2d(sar);
}

} // namespace

Rect Scaler::sourceRect(const AVFrame& src, const ViewSettings& v)
{
    Rect r{0, 0, src.width, src.height};
    const bool valid = v.left >= 0 && v.right >= 0 && v.top >= 0 && v.bottom >= 0 &&
                       static_cast<int64_t>(v.left) + v.right < src.width &&
                       static_cast<int64_t>(v.top) + v.bottom < src.height;
    if (!valid)
        return r;
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(src.format));
    if (!d || (d->flags & (AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL)))
        return r;
    const int x = alignDown(v.left, d->log2_chroma_w);
    const int y = alignDown(v.top, d->log2_chroma_h);
    r = {x, y, src.width - v.right - x, src.height - v.bottom - y};
    if (r.w < 2 || r.h < 2)
        return {0, 0, src.width, src.height};
    return r;
}

void Scaler::fitRects(const AVFrame& src, Rect& source, int width, int height, int aspect, Rect& dest)
{
    dest = {0, 0, width, height};
    if (aspect != KV_ASPECT_FIT && aspect != KV_ASPECT_CROP)
        return;
    const double picW = source.w * sampleAspect(src);
    const double sx = width / picW;
    const double sy = static_cast<double>(height) / source.h;
    if (aspect == KV_ASPECT_FIT) {
        const double s = std::min(sx, sy);
        const int w = std::clamp(static_cast<int>(picW * s + 0.5), 1, width);
        const int h = std::clamp(static_cast<int>(source.h * s + 0.5), 1, height);
        dest = {(width - w) / 2, (height - h) / 2, w, h};
        return;
    }
    const double s = std::max(sx, sy);
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(src.format));
    const int cw = d ? d->log2_chroma_w : 0;
    const int ch = d ? d->log2_chroma_h : 0;
    const int w = std::clamp(static_cast<int>(width / s / sampleAspect(src) + 0.5), 2, source.w);
    const int h = std::clamp(static_cast<int>(height / s + 0.5), 2, source.h);
    source.x += alignDown((source.w - w) / 2, cw);
    source.y += alignDown((source.h - h) / 2, ch);
    source.w = w;
    source.h = h;
}

int Scaler::flagsFor(int srcW, int srcH, int dstW, int dstH)
{
    if (dstW * 2 <= srcW && dstH * 2 <= srcH)
        return SWS_FAST_BILINEAR;
    if (dstW <= srcW && dstH <= srcH)
        return SWS_BILINEAR;
    return SWS_BICUBIC;
}

bool Scaler::scale(const AVFrame& src, int width, int height, const ViewSettings& view)
{
    if (width <= 0 || height <= 0 || src.width <= 0 || src.height <= 0)
        return false;
    Rect source = sourceRect(src, view);
    Rect dest;
    fitRects(src, source, width, height, view.aspect, dest);
    const auto fmt = static_cast<AVPixelFormat>(src.format);
    ctx_.reset(sws_getCachedContext(ctx_.release(), source.w, source.h, fmt, dest.w, dest.h,
                                    AV_PIX_FMT_BGRA, flagsFor(source.w, source.h, dest.w, dest.h),
                                    nullptr, nullptr, nullptr));
    if (!ctx_)
        return false;
    stride_ = width * 4;
    const size_t size = static_cast<size_t>(stride_) * static_cast<size_t>(height);
    const bool sameDest = dest.x == lastDest_.x && dest.y == lastDest_.y && dest.w == lastDest_.w &&
                          dest.h == lastDest_.h;
    if (buffer_.size() != size || !sameDest) {
        // Bars must be opaque black, and stale pixels of an earlier layout must go.
        buffer_.assign(size, 0);
        for (size_t i = 3; i < size; i += 4)
            buffer_[i] = 0xff;
        lastDest_ = dest;
    }
    const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(fmt);
    const uint8_t* planes[4] = {};
    for (int p = 0; p < 4 && src.data[p]; ++p) {
        const bool chroma = (p == 1 || p == 2) && d && d->nb_components > 2;
        const int sx = chroma ? source.x >> d->log2_chroma_w : source.x;
        const int sy = chroma ? source.y >> d->log2_chroma_h : source.y;
        int step = 1;
        for (int c = 0; d && c < d->nb_components; ++c) {
            if (d->comp[c].plane == p)
                step = d->comp[c].step;
        }
        planes[p] = src.data[p] + static_cast<ptrdiff_t>(sy) * src.linesize[p] + sx * step;
    }
    uint8_t* out[4] = {buffer_.data() + static_cast<ptrdiff_t>(dest.y) * stride_ + dest.x * 4};
    const int outStride[4] = {stride_};
    return sws_scale(ctx_.get(), planes, src.linesize, 0, source.h, out, outStride) > 0;
}

} // namespace kvplay

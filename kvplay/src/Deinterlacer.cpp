#include "Deinterlacer.h"

#include <string>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace kvplay {

void Deinterlacer::GraphFreer::operator()(AVFilterGraph* graph) const noexcept { avfilter_graph_free(&graph); }

Deinterlacer::Deinterlacer(AVRational timeBase) : timeBase_(timeBase) {}
Deinterlacer::~Deinterlacer() = default;

bool Deinterlacer::build(const AVFrame& frame)
{
    graph_.reset(avfilter_graph_alloc());
    source_ = sink_ = nullptr;
    if (!graph_)
        return false;
    // One filter thread: the decoder already runs threads of its own for
    // each of up to sixteen windows.
    graph_->nb_threads = 1;
    const AVRational sar = frame.sample_aspect_ratio.num > 0 ? frame.sample_aspect_ratio : AVRational{1, 1};
    const std::string args = "video_size=" + std::to_string(frame.width) + "x" + std::to_string(frame.height) +
                             ":pix_fmt=" + std::to_string(frame.format) + ":time_base=" +
                             std::to_string(timeBase_.num) + "/" + std::to_string(timeBase_.den) +
                             ":pixel_aspect=" + std::to_string(sar.num) + "/" + std::to_string(sar.den);
    // send_frame: one picture out per picture in; deint=interlaced: only
    // the pictures marked interlaced are worked on.
    AVFilterContext* filter = nullptr;
    if (avfilter_graph_create_filter(&source_, avfilter_get_by_name("buffer"), "in", args.c_str(), nullptr,
                                     graph_.get()) < 0 ||
        avfilter_graph_create_filter(&filter, avfilter_get_by_name("bwdif"), "deinterlace",
                                     "mode=send_frame:parity=auto:deint=interlaced", nullptr, graph_.get()) < 0 ||
        avfilter_graph_create_filter(&sink_, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                     graph_.get()) < 0 ||
        avfilter_link(source_, 0, filter, 0) < 0 || avfilter_link(filter, 0, sink_, 0) < 0 ||
        avfilter_graph_config(graph_.get(), nullptr) < 0) {
        graph_.reset();
        source_ = sink_ = nullptr;
        return false;
    }
    width_ = frame.width;
    height_ = frame.height;
    format_ = frame.format;
    return true;
}

bool Deinterlacer::push(FramePtr frame, std::vector<FramePtr>& out)
{
    if (!graph_ && !frame->interlaced_frame) {
        out.push_back(std::move(frame));
        return true;
    }
    if (graph_ && (frame->width != width_ || frame->height != height_ || frame->format != format_))
        flush(out);
    if (!graph_ && !build(*frame)) {
        out.push_back(std::move(frame));
        return false;
    }
    if (av_buffersrc_add_frame_flags(source_, frame.get(), AV_BUFFERSRC_FLAG_KEEP_REF) < 0) {
        out.push_back(std::move(frame));
        return false;
    }
    drain(out);
    return true;
}

void Deinterlacer::flush(std::vector<FramePtr>& out)
{
    if (!graph_)
        return;
    if (av_buffersrc_add_frame_flags(source_, nullptr, 0) >= 0)
        drain(out);
    reset();
}

void Deinterlacer::reset()
{
    graph_.reset();
    source_ = sink_ = nullptr;
    width_ = height_ = 0;
    format_ = -1;
}

void Deinterlacer::drain(std::vector<FramePtr>& out)
{
    for (;;) {
        FramePtr done = makeFrame();
        if (!done || av_buffersink_get_frame(sink_, done.get()) < 0)
            return;
        done->best_effort_timestamp = done->pts;
        out.push_back(std::move(done));
    }
}

} // namespace kvplay

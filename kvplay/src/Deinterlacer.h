// Deinterlaces the pictures the decoder marks as interlaced, with FFmpeg's
// bwdif filter, before they are scaled, shown or snapshotted. Progressive
// pictures are never touched: until the first interlaced picture they pass
// straight by, and afterwards the filter itself leaves them as they are. The
// filter needs the picture after the one it works on, so it gives pictures
// back one late; flush() gives back the last.
#pragma once

#include "AvPtr.h"

#include <vector>

struct AVFilterGraph;
struct AVFilterContext;

namespace kvplay {

class Deinterlacer {
public:
    // timeBase: that of the pictures' pts.
    explicit Deinterlacer(AVRational timeBase);
    ~Deinterlacer();
    Deinterlacer(const Deinterlacer&) = delete;
    Deinterlacer& operator=(const Deinterlacer&) = delete;

    // Takes a decoded picture with its timestamp in pts and appends the
    // pictures ready to out, in order. False when the filter fails; the
    // picture is then passed on as it came.
    bool push(FramePtr frame, std::vector<FramePtr>& out);
    // The pictures still held, at the end of the input.
    void flush(std::vector<FramePtr>& out);
    // Forgets the pictures held (after a seek) and starts again.
    void reset();
    bool active() const { return graph_ != nullptr; }

private:
    bool build(const AVFrame& frame);
    void drain(std::vector<FramePtr>& out);

    struct GraphFreer {
        void operator()(AVFilterGraph* graph) const noexcept;
    };
    std::unique_ptr<AVFilterGraph, GraphFreer> graph_;
    AVFilterContext* source_ = nullptr; // owned by graph_
    AVFilterContext* sink_ = nullptr;   // owned by graph_
    AVRational timeBase_;
    int width_ = 0;
    int height_ = 0;
    int format_ = -1;
};

} // namespace kvplay

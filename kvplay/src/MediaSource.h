// One opened media file: the demuxer context, the chosen streams and what is
// known about the file's time range. Opening reads no more than the start of
// the file, so a play list can open every file just for its range.
#pragma once

#include "AvPtr.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

namespace kvplay {

struct OpenLimits {
    int64_t maxPixels = 8192LL * 8192;
    int64_t probeBytes = 2 << 20;
    int64_t analyzeUs = 2'000'000;
    int64_t estimateBytes = 4 << 20; // raw streams: bytes read ahead for the bitrate estimate
    int64_t estimateUs = 3'000'000;
    int64_t deadlineUs = 0; // steady-clock us after which blocking reads give up; 0 = none
};

class MediaSource {
public:
    // Returns null and sets err (a KV_ERR_* code) when the input is not media
    // we can play. path is also used for the modification time.
    static std::unique_ptr<MediaSource> openFile(const std::string& path, const OpenLimits& limits,
                                                 int& err);
    // Custom input (in-memory data); the caller keeps pb alive and frees it.
    static std::unique_ptr<MediaSource> openIo(AVIOContext* pb, const OpenLimits& limits, int& err);

    MediaSource(const MediaSource&) = delete;
    MediaSource& operator=(const MediaSource&) = delete;
    ~MediaSource();

    AVFormatContext* format() const { return fmt_.get(); }
    int videoIndex() const { return video_; }
    int audioIndex() const { return audio_; }
    AVStream* videoStream() const;
    AVStream* audioStream() const;
    // Raw elementary stream: no container timestamps, duration estimated.
    bool isRaw() const { return raw_; }
    // A container whose timestamps may reset inside the file (MPEG-TS and
    // its kin): its times are mended, and its whole length is known only
    // once an index pass has read it all.
    bool mendsTime() const { return mends_; }
    // Stream time (us) that maps to startTime().
    int64_t streamStartUs() const { return streamStartUs_; }
    int64_t startTime() const { return startTime_; }
    // Which rule gave startTime(): a KV_TIME_* code.
    int startTimeSource() const { return startSource_; }
    int64_t durationUs() const { return durationUs_.load(); }
    bool durationEstimated() const { return estimated_.load(); }
    // An index pass replaces the estimate with the exact duration.
    void setExactDuration(int64_t us);
    // Cached at open: the reader thread owns the demuxer while playing.
    int width() const { return width_; }
    int height() const { return height_; }
    // Frame duration of the video stream, us (25 fps when the stream does not say).
    int64_t frameDurationUs() const { return frameUs_; }
    const std::string& path() const { return path_; }

    // Packets read while probing; the reader consumes them before reading on.
    std::deque<PacketPtr> takePreread();
    // Makes blocking reads give up: the interrupt callback reads this flag.
    void abort(bool on) { abort_.store(on); }

private:
    MediaSource() = default;
    int init(const OpenLimits& limits);
    int pickStreams(const OpenLimits& limits);
    void preread(const OpenLimits& limits);
    void computeTimes();
    int64_t probeFrameDuration() const;
    static int interruptCb(void* opaque);

    FormatPtr fmt_;
    std::string path_;
    std::atomic<bool> abort_{false};
    int64_t deadlineUs_ = 0;
    int video_ = -1;
    int audio_ = -1;
    bool raw_ = false;
    bool mends_ = false;
    int64_t streamStartUs_ = 0;
    int64_t startTime_ = 0;
    int startSource_ = 0;
    std::atomic<int64_t> durationUs_{0};
    std::atomic<bool> estimated_{false};
    int width_ = 0;
    int height_ = 0;
    int64_t frameUs_ = 40'000;
    int64_t prereadBytes_ = 0;
    int64_t prereadSpanUs_ = 0;
    int64_t wallclockStart_ = 0;
    std::deque<PacketPtr> preread_;
};

} // namespace kvplay

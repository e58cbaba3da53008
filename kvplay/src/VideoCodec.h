// The video decoder's codec context: in hardware when a slot, a render node,
// the codec and the device all allow it, else in memory. A stream whose
// hardware fails on the way goes on in software from its next keyframe, so
// the viewer sees at most a short pause, never a broken picture.
#pragma once

#include "AvPtr.h"
#include "HardwareDecode.h"
#include "HardwareSlots.h"

#include <atomic>
#include <string>

namespace kvplay {

// How a stream came to decode where it does.
enum class DecodePath {
    Hardware,
    NotAllowed,    // no slot: the limit is 0 or reached
    NoDevice,      // no render node
    CodecRefused,  // the codec cannot decode through VA-API
    DeviceRefused, // the render node would not open as a VA-API device
    OpenRefused,   // the codec would not open with the device
    Abandoned      // began in hardware, which then failed or was declined
};

class VideoCodec {
public:
    struct Setup {
        int threads = 1;
        int64_t maxPixels = 0;
        HardwareSlots* slots = nullptr; // null: software only
        std::string renderNodes = kRenderNodeFolder;
    };

    VideoCodec() = default;
    VideoCodec(const VideoCodec&) = delete;
    VideoCodec& operator=(const VideoCodec&) = delete;

    // False when the stream cannot be decoded at all. The stream must
    // outlive the codec.
    bool open(const AVStream& st, const Setup& setup);

    AVCodecContext* get() const { return ctx_.get(); }
    AVCodecContext* operator->() const { return ctx_.get(); }
    bool inHardware() const { return static_cast<bool>(slot_); }
    DecodePath path() const { return path_; }

    // As avcodec_send_packet. After a fall back to software, packets before
    // the next keyframe are taken and dropped.
    int send(const AVPacket* pkt);
    // As avcodec_receive_frame; pictures come out in memory either way.
    int receive(FramePtr& frame);

private:
    DecodePath openInHardware();
    // Goes on in software; keeps the hardware when not even that opens.
    bool fallBack();
    static AVPixelFormat pickFormat(AVCodecContext* ctx, const AVPixelFormat* offered);

    const AVStream* stream_ = nullptr;
    Setup setup_;
    HardwareSlots::Slot slot_;
    // Read by get_format on the decoding thread.
    std::atomic<bool> hardwareAllowed_{false};
    DecodePath path_ = DecodePath::NotAllowed;
    bool awaitKeyframe_ = false;
    // Last, so that it goes first: get_format reads this object until then.
    CodecPtr ctx_;
};

} // namespace kvplay

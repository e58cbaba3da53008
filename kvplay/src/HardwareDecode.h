// The pieces of decoding video through VA-API: finding a render node,
// knowing which codecs and formats can use it, opening the device and
// bringing its pictures into memory, where the renderer works on them.
#pragma once

#include "AvPtr.h"

#include <string>

namespace kvplay {

// Where the kernel puts the render nodes that VA-API opens.
inline constexpr char kRenderNodeFolder[] = "/dev/dri";

// The first render node ("renderD128", "renderD129", ... in name order) in
// folder; empty when there is none or the folder cannot be read.
std::string findRenderNode(const std::string& folder);

// Whether the decoder can decode into VA-API surfaces given a device.
bool supportsVaapi(const AVCodec& codec);

// The picture format a decoder's get_format should take from offered (ended
// by AV_PIX_FMT_NONE): VA-API surfaces when offered and allowed, else the
// first format in memory; AV_PIX_FMT_NONE when offered has neither.
AVPixelFormat chooseFormat(const AVPixelFormat* offered, bool hardwareAllowed);

// A VA-API device on the render node; null when it cannot be opened.
BufferPtr openVaapiDevice(const std::string& node);

// A copy in memory of a picture held in device surfaces, with the picture's
// times and properties; null when the device cannot hand it over.
FramePtr downloadFrame(const AVFrame& frame);

} // namespace kvplay

#include "HardwareDecode.h"

#include <filesystem>
#include <system_error>

extern "C" {
#include <libavutil/hwcontext.h>
#include <libavutil/pixdesc.h>
}

namespace kvplay {

std::string findRenderNode(const std::string& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    std::string first;
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind("renderD", 0) == 0 && (first.empty() || it->path().string() < first))
            first = it->path().string();
    }
    return first;
}

bool supportsVaapi(const AVCodec& codec)
{
    for (int i = 0;; ++i) {
        const AVCodecHWConfig* config = avcodec_get_hw_config(&codec, i);
        if (!config)
            return false;
        if (config->device_type == AV_HWDEVICE_TYPE_VAAPI && config->pix_fmt == AV_PIX_FMT_VAAPI &&
            (config->methods & AV_CODEC_HW_CONFIG_METHOD_HW_DEVICE_CTX))
            return true;
    }
}

AVPixelFormat chooseFormat(const AVPixelFormat* offered, bool hardwareAllowed)
{
    AVPixelFormat software = AV_PIX_FMT_NONE;
    for (const AVPixelFormat* p = offered; *p != AV_PIX_FMT_NONE; ++p) {
        if (*p == AV_PIX_FMT_VAAPI && hardwareAllowed)
            return *p;
        const AVPixFmtDescriptor* d = av_pix_fmt_desc_get(*p);
        if (software == AV_PIX_FMT_NONE && d && !(d->flags & AV_PIX_FMT_FLAG_HWACCEL))
            software = *p;
    }
    return software;
}

BufferPtr openVaapiDevice(const std::string& node)
{
    AVBufferRef* device = nullptr;
    if (av_hwdevice_ctx_create(&device, AV_HWDEVICE_TYPE_VAAPI, node.c_str(), nullptr, 0) < 0)
        return nullptr;
    return BufferPtr(device);
}

FramePtr downloadFrame(const AVFrame& frame)
{
    FramePtr copy = makeFrame();
    if (!copy || av_hwframe_transfer_data(copy.get(), &frame, 0) < 0 || av_frame_copy_props(copy.get(), &frame) < 0)
        return nullptr;
    return copy;
}

} // namespace kvplay

// The C entry points: check the caller, find the instance, forward; then let
// the sync groups carry mode changes, starts and seeks over to followers.
#include "kvplay.h"

#include "FileInfo.h"
#include "Library.h"
#include "SpanExport.h"
#include "ThreadTag.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

using kvplay::Library;
using kvplay::Player;
using kvplay::ThreadTag;

template <typename F>
int32_t withPlayer(uint32_t h, F&& f)
{
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    std::shared_ptr<Player> p = Library::get().find(h);
    if (!p)
        return KV_ERR_HANDLE;
    return static_cast<int32_t>(f(*p));
}

template <typename T, typename F>
T queryPlayer(uint32_t h, T failure, F&& f)
{
    if (ThreadTag::isLibraryThread())
        return failure;
    std::shared_ptr<Player> p = Library::get().find(h);
    if (!p)
        return failure;
    return f(*p);
}

template <size_t N>
void copyName(char (&field)[N], const std::string& text)
{
    const size_t n = std::min(text.size(), N - 1);
    text.copy(field, n);
    field[n] = '\0';
}

uint64_t joinTime(uint32_t low, uint32_t high) { return (static_cast<uint64_t>(high) << 32) | low; }

} // namespace

extern "C" {

int32_t KvPlayInitPlayLib(uint32_t, uint32_t, uint32_t)
{
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    return Library::get().init();
}

int32_t KvPlayDeinitPlayLib(void)
{
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    return Library::get().deinit();
}

int32_t KvPlaySetMaxHardwareDecodeNumber(int32_t n)
{
    if (n < 0)
        return KV_ERR_PARAM;
    Library::get().hardwareSlots().setLimit(n);
    return KV_OK;
}

int32_t KvPlayGetMaxHardwareDecodeNumber(void) { return Library::get().hardwareSlots().limit(); }

int32_t KvPlayGetHardwareDecodeCount(void) { return Library::get().hardwareSlots().inUse(); }

uint32_t KvPlayCreatePlayInstance(int32_t kind)
{
    if ((kind != KV_KIND_FILE && kind != KV_KIND_SYNC_CLOCK) || ThreadTag::isLibraryThread())
        return 0;
    return Library::get().create(kind == KV_KIND_SYNC_CLOCK);
}

int32_t KvPlayDestroyPlayInstance(uint32_t h)
{
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    return Library::get().destroy(h);
}

int32_t KvPlayOpenPlayFile(uint32_t h, const char* path)
{
    return withPlayer(h, [path](Player& p) { return p.open(path); });
}

int32_t KvPlayOpenPlayFileListEx(uint32_t h, uint32_t, uint32_t)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayClosePlayFile(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.close(); });
}

int32_t KvPlaySetPlayWnd(uint32_t h, const KvRenderTarget* target)
{
    return withPlayer(h, [target](Player& p) { return p.setTarget(target); });
}

int32_t KvPlaySetCallbackMessageEx(uint32_t h, KvPlayMessageFn fn, void* context)
{
    return withPlayer(h, [fn, context](Player& p) { return p.setMessage(fn, context); });
}

int32_t KvPlayImageCallback(uint32_t h, const KvPlayImageHooks* hooks, void*)
{
    return withPlayer(h, [hooks](Player& p) { return p.setImageHooks(hooks); });
}

int32_t KvPlayStartPlay(uint32_t h)
{
    const int32_t rc = withPlayer(h, [](Player& p) { return p.start(); });
    if (rc == KV_OK)
        Library::get().sync().moved(h);
    return rc;
}

int32_t KvPlayStopPlay(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.stop(); });
}

int32_t KvPlayAddSyncPlayInstance(uint32_t master, uint32_t h)
{
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    return Library::get().sync().join(master, h);
}

int32_t KvPlaySetPlayMode(uint32_t h, int32_t code, int32_t param)
{
    // A clock that leads files steps by their frame, so that each step shows
    // the next picture of the fastest camera.
    if ((code == KV_MODE_STEP || code == KV_MODE_STEP_BACK) && param <= 0 && !ThreadTag::isLibraryThread()) {
        const int64_t frameUs = Library::get().sync().shortestFrameUs(h);
        if (frameUs > 0 && frameUs <= INT32_MAX)
            param = static_cast<int32_t>(frameUs);
    }
    const int32_t rc = withPlayer(h, [code, param](Player& p) { return p.setMode(code, param); });
    if (rc == KV_OK)
        Library::get().sync().modeChanged(h);
    // Going back, the clock leaves the followers' queued pictures behind.
    if (rc == KV_OK && code == KV_MODE_STEP_BACK)
        Library::get().sync().moved(h);
    return rc;
}

int32_t KvPlayGetPlayMode(uint32_t h)
{
    return queryPlayer<int32_t>(h, 0, [](Player& p) { return p.mode(); });
}

uint64_t KvPlayGetCurPlayedTime(uint32_t h)
{
    return queryPlayer<uint64_t>(h, 0, [](Player& p) { return p.currentTime(); });
}

int32_t KvPlayGetPlayFileTimeRange(uint32_t h, uint64_t* start, uint64_t* end)
{
    return withPlayer(h, [start, end](Player& p) { return p.range(start, end); });
}

int32_t KvPlayGetPlayFileTimeRangeExact(uint32_t h, uint64_t* start, uint64_t* end, uint32_t wait_ms)
{
    return withPlayer(h, [=](Player& p) { return p.exactRange(start, end, std::chrono::milliseconds(wait_ms)); });
}

int32_t KvPlaySetCurPlayedTime(uint32_t h, uint32_t low, uint32_t high)
{
    const int32_t rc = withPlayer(h, [t = joinTime(low, high)](Player& p) { return p.seek(t, true); });
    if (rc == KV_OK)
        Library::get().sync().moved(h);
    return rc;
}

int32_t KvPlaySetCurPlayedTimeEX(uint32_t h, uint32_t low, uint32_t high)
{
    const int32_t rc = withPlayer(h, [t = joinTime(low, high)](Player& p) { return p.seek(t, false); });
    if (rc == KV_OK)
        Library::get().sync().moved(h);
    return rc;
}

int32_t KvPlayOpenSound(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.openSound(true); });
}

int32_t KvPlayCloseSound(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.openSound(false); });
}

int32_t KvPlaySetPlayVolume_s(uint32_t h, int32_t volume)
{
    return withPlayer(h, [volume](Player& p) { return p.setVolume(volume); });
}

int32_t KvPlayGetPlayVolume_s(uint32_t h)
{
    return queryPlayer<int32_t>(h, -1, [](Player& p) { return p.volume(); });
}

int32_t KvPlaySetMute_s(uint32_t h, int32_t on)
{
    return withPlayer(h, [on](Player& p) { return p.setMute(on != 0); });
}

int32_t KvPlayGetMute_s(uint32_t h)
{
    return queryPlayer<int32_t>(h, -1, [](Player& p) { return p.mute(); });
}

int32_t KvPlaySetMicPlayVolume(uint32_t h, int32_t)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayGetMicPlayVolume(uint32_t) { return -1; }

int32_t KvPlaySetMicMute(uint32_t h, int32_t)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayGetMicMute(uint32_t) { return -1; }

int32_t KvPlayNSynchroRePaint(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.repaint(false); });
}

int32_t KvPlayRePaint(uint32_t h)
{
    return withPlayer(h, [](Player& p) { return p.repaint(true); });
}

int32_t KvPlayRegisterDrawFun_s(uint32_t h, KvPlayDrawFn fn, void* user, void*)
{
    return withPlayer(h, [fn, user](Player& p) { return p.setDraw(fn, user); });
}

int32_t KvPlayGetPlayPicSize(uint32_t h, int32_t* width, int32_t* height)
{
    return withPlayer(h, [width, height](Player& p) { return p.pictureSize(width, height); });
}

int32_t KvPlayGetImageiBpp(uint32_t h)
{
    return queryPlayer<int32_t>(h, 0, [](Player&) { return 32; });
}

int32_t KvPlayAdjustViewArea(uint32_t h, int32_t left, int32_t right, int32_t top, int32_t bottom)
{
    return withPlayer(h, [=](Player& p) { return p.setViewArea(left, right, top, bottom); });
}

int32_t KvPlayRenderActualProportion(uint32_t h, int32_t mode)
{
    return withPlayer(h, [mode](Player& p) { return p.setAspect(mode); });
}

int32_t KvPlayGetPosImage(uint32_t h, int32_t, int32_t, void*)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlaySetOsdString(uint32_t h, int32_t, int32_t, const char*)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayRemoveOsdstring(uint32_t h)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayCapturePicture(uint32_t h, const KvPlayCaptureRecord* record)
{
    return withPlayer(h, [record](Player& p) { return p.capture(record); });
}

int32_t KvPlayStartlocalrecordFile(uint32_t h, const KvPlayLocalRecordRequest* request)
{
    return withPlayer(h, [request](Player& p) { return p.clipStart(request); });
}

int32_t KvPlayStoplocalrecord(uint32_t h, void* times, void* packets)
{
    return withPlayer(h, [times, packets](Player& p) { return p.clipStop(times, packets); });
}

int32_t KvPlayStopLocalRecordAsync(uint32_t h, KvPlayClipDoneFn done, void* user)
{
    return withPlayer(h, [done, user](Player& p) { return p.clipStopAsync(done, user); });
}

int32_t KvPlayStartlocalrecord(uint32_t h, void*, uint32_t, uint32_t)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlaySwitchRecordFile(uint32_t h, void*, uint32_t, uint32_t)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayGetFileInfo(KvPlayFileInfo* record)
{
    if (!record)
        return KV_ERR_PARAM;
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    return kvplay::fillFileInfo(*record);
}

int32_t KvPlayGetSpanExtension(const char* source, char* extension, int32_t size)
{
    if (!source || !extension || size <= 0)
        return KV_ERR_PARAM;
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    int rc = KV_OK;
    const std::string ext = kvplay::muxerExtension(kvplay::spanMuxer(source, rc));
    if (rc != KV_OK)
        return rc;
    if (ext.size() >= static_cast<size_t>(size))
        return KV_ERR_PARAM;
    ext.copy(extension, ext.size());
    extension[ext.size()] = '\0';
    return KV_OK;
}

int32_t KvPlayExportSpan(const KvPlaySpanRequest* request, KvPlaySpanResult* result)
{
    if (!request || !result || !request->source || !request->output)
        return KV_ERR_PARAM;
    if (ThreadTag::isLibraryThread())
        return KV_ERR_REENTRANT;
    if (request->start > static_cast<uint64_t>(INT64_MAX) || request->end > static_cast<uint64_t>(INT64_MAX))
        return KV_ERR_PARAM;
    kvplay::SpanSpec spec;
    spec.source = request->source;
    spec.output = request->output;
    spec.picture = request->picture ? request->picture : "";
    spec.startUs = static_cast<int64_t>(request->start);
    spec.endUs = static_cast<int64_t>(request->end);
    if (request->progress) {
        spec.progress = [fn = request->progress, user = request->user](uint64_t bytes) { return fn(bytes, user) != 0; };
    }
    const kvplay::SpanOutcome out = kvplay::exportSpan(spec);
    *result = KvPlaySpanResult{};
    result->first = static_cast<uint64_t>(out.firstUs);
    result->last = static_cast<uint64_t>(out.lastUs);
    result->bytes = out.bytes;
    result->video_packets = out.videoPackets;
    result->audio_packets = out.audioPackets;
    copyName(result->container, out.container);
    copyName(result->video_codec, out.videoCodec);
    copyName(result->audio_codec, out.audioCodec);
    return out.rc;
}

int32_t KvPlayStartDualTalk(uint32_t h, const KvPlayAudioFormat*)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayStopDualTalk(uint32_t h)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

int32_t KvPlayRegisterSetDualCallback(uint32_t h, KvPlayDualFn, void*)
{
    return withPlayer(h, [](Player&) { return KV_ERR_UNSUPPORTED; });
}

} // extern "C"

#include "PlayerExport.h"

#include "PlayerLibrary.h"
#include "PlayerRecords.h"
#include "kvplay.h"

#include <cstring>

namespace {

constexpr uint32_t kRangeWaitMs = 200;

template <size_t N>
QString text(const char (&field)[N])
{
    return QString::fromLocal8Bit(field, static_cast<qsizetype>(strnlen(field, N)));
}

// The whole range, made exact for raw streams (their quick end is an estimate).
bool readRange(const QByteArray& path, uint64_t& start, uint64_t& end)
{
    const uint32_t h = KvPlayCreatePlayInstance(0);
    if (h == 0)
        return false;
    bool ok = KvPlayOpenPlayFile(h, path.constData()) == KV_OK;
    int32_t result = KV_ERR_TIMEOUT;
    while (ok && result == KV_ERR_TIMEOUT)
        result = KvPlayGetPlayFileTimeRangeExact(h, &start, &end, kRangeWaitMs);
    KvPlayDestroyPlayInstance(h);
    return ok && result == KV_OK && end >= start;
}

PlayerExport::SpanStatus statusOf(int32_t code)
{
    using PlayerExport::SpanStatus;
    switch (code) {
    case KV_OK: return SpanStatus::Done;
    case KV_ERR_NO_FRAME: return SpanStatus::OutsideFile;
    case KV_ERR_IO: return SpanStatus::WriteFailed;
    case KV_ERR_CANCELLED: return SpanStatus::Cancelled;
    case KV_ERR_OPEN:
    case KV_ERR_NO_STREAM: return SpanStatus::ReadFailed;
    default: return SpanStatus::BadRequest;
    }
}

int32_t progressTrampoline(uint64_t bytes, void* user)
{
    const auto& keepGoing = *static_cast<const std::function<bool(uint64_t)>*>(user);
    return keepGoing(bytes) ? 1 : 0;
}

}

namespace PlayerExport {

bool readFacts(const QString& path, FileFacts& facts)
{
    const QByteArray utf8 = path.toUtf8();
    KvPlayFileInfo record{};
    if (!PlayerLibrary::start() || utf8.isEmpty() || static_cast<size_t>(utf8.size()) >= sizeof record.path)
        return false;
    PlayerRecords::copyPath(record.path, sizeof record.path, utf8);
    if (KvPlayGetFileInfo(&record) != KV_OK || !readRange(utf8, facts.start, facts.end))
        return false;
    facts.mac = text(record.mac);
    facts.serial = text(record.serial);
    facts.deviceType = text(record.device_type);
    facts.channel = record.channel;
    facts.timeSource = record.time_source;
    return true;
}

QString spanExtension(const QString& source)
{
    char extension[32] = {};
    if (!PlayerLibrary::start() || KvPlayGetSpanExtension(source.toUtf8().constData(), extension, sizeof extension) != KV_OK)
        return {};
    return QString::fromLatin1(extension);
}

SpanResult copySpan(const SpanRequest& request, const std::function<bool(uint64_t)>& keepGoing)
{
    SpanResult result;
    if (!PlayerLibrary::start())
        return result;
    const QByteArray source = request.source.toUtf8();
    const QByteArray output = request.output.toUtf8();
    const QByteArray picture = request.picture.toUtf8();
    KvPlaySpanRequest span{};
    span.source = source.constData();
    span.output = output.constData();
    span.picture = picture.isEmpty() ? nullptr : picture.constData();
    span.start = request.in;
    span.end = request.out;
    if (keepGoing) {
        span.progress = progressTrampoline;
        span.user = const_cast<std::function<bool(uint64_t)>*>(&keepGoing);
    }
    KvPlaySpanResult copied{};
    result.status = statusOf(KvPlayExportSpan(&span, &copied));
    result.first = copied.first;
    result.last = copied.last;
    result.bytes = copied.bytes;
    result.container = text(copied.container);
    result.videoCodec = text(copied.video_codec);
    result.audioCodec = text(copied.audio_codec);
    return result;
}

}

#include "SyncClock.h"

#include "PlayerLibrary.h"
#include "kvplay.h"

#include <algorithm>
#include <cstring>

SyncClock::SyncClock()
{
    if (PlayerLibrary::start())
        m_h = KvPlayCreatePlayInstance(KV_KIND_SYNC_CLOCK);
}

SyncClock::~SyncClock()
{
    if (m_h != 0)
        KvPlayDestroyPlayInstance(m_h);
}

int32_t SyncClock::join(uint32_t h) const
{
    return m_h == 0 || h == 0 ? KV_ERR_HANDLE : KvPlayAddSyncPlayInstance(m_h, h);
}

int32_t SyncClock::setMode(int32_t state, int32_t stepUs) const
{
    return m_h == 0 ? KV_ERR_HANDLE : KvPlaySetPlayMode(m_h, state, stepUs);
}

int32_t SyncClock::mode() const { return m_h == 0 ? 0 : KvPlayGetPlayMode(m_h); }

int32_t SyncClock::seek(uint64_t recordingUs) const
{
    if (m_h == 0)
        return KV_ERR_HANDLE;
    return KvPlaySetCurPlayedTime(m_h, static_cast<uint32_t>(recordingUs), static_cast<uint32_t>(recordingUs >> 32));
}

uint64_t SyncClock::time() const { return m_h == 0 ? 0 : KvPlayGetCurPlayedTime(m_h); }

SyncClock::Span SyncClock::readSpan(const char* path)
{
    Span span;
    if (path == nullptr || !PlayerLibrary::start())
        return span;
    const uint32_t h = KvPlayCreatePlayInstance(KV_KIND_FILE);
    if (h == 0)
        return span;
    if (KvPlayOpenPlayFile(h, path) == KV_OK && KvPlayGetPlayFileTimeRange(h, &span.start, &span.end) == KV_OK)
        span.known = span.start != 0 && span.end > span.start;
    KvPlayDestroyPlayInstance(h);
    KvPlayFileInfo info{};
    const size_t n = std::min(std::strlen(path), sizeof info.path - 1);
    std::memcpy(info.path, path, n);
    if (span.known && KvPlayGetFileInfo(&info) == KV_OK)
        span.channel = info.channel;
    return span;
}

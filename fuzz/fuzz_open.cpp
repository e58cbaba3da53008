// Fuzz entry point: the library's open-and-play path on an in-memory input.
// The trailing byte picks the I/O buffer size and whether the input can seek,
// so short reads and unseekable streams are reached too.
#include "ProbeDecode.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" {
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace {

struct Memory {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

int memRead(void* opaque, uint8_t* buf, int size)
{
    auto* m = static_cast<Memory*>(opaque);
    const size_t left = m->size - m->pos;
    if (left == 0)
        return AVERROR_EOF;
    const size_t n = left < static_cast<size_t>(size) ? left : static_cast<size_t>(size);
    std::memcpy(buf, m->data + m->pos, n);
    m->pos += n;
    return static_cast<int>(n);
}

int64_t memSeek(void* opaque, int64_t offset, int whence)
{
    auto* m = static_cast<Memory*>(opaque);
    whence &= ~AVSEEK_FORCE;
    if (whence == AVSEEK_SIZE)
        return static_cast<int64_t>(m->size);
    int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<int64_t>(m->pos);
    else if (whence == SEEK_END)
        base = static_cast<int64_t>(m->size);
    else if (whence != SEEK_SET)
        return AVERROR(EINVAL);
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0 ||
        base + offset > static_cast<int64_t>(m->size))
        return AVERROR(EINVAL);
    m->pos = static_cast<size_t>(base + offset);
    return base + offset;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    av_log_set_level(AV_LOG_PANIC);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t control = data[size - 1];
    Memory m{data, size - 1, 0};
    const int bufSize = 512 << (control & 3);
    const bool seekable = (control & 4) == 0;
    auto* buf = static_cast<uint8_t*>(av_malloc(static_cast<size_t>(bufSize)));
    if (!buf)
        return 0;
    AVIOContext* pb = avio_alloc_context(buf, bufSize, 0, &m, memRead, nullptr, seekable ? memSeek : nullptr);
    if (!pb) {
        av_free(buf);
        return 0;
    }
    kvplay::openAndDecode(pb, kvplay::ProbeLimits{});
    // avio may have replaced its buffer: free whichever it holds now.
    av_freep(&pb->buffer);
    avio_context_free(&pb);
    return 0;
}

#include "FileInfo.h"

#include "MediaSource.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace kvplay {

namespace {

const char* findTag(const AVFormatContext& fmt, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        if (const AVDictionaryEntry* e = av_dict_get(fmt.metadata, key, nullptr, 0))
            return e->value;
    }
    for (unsigned i = 0; i < fmt.nb_streams; ++i) {
        for (const char* key : keys) {
            if (const AVDictionaryEntry* e = av_dict_get(fmt.streams[i]->metadata, key, nullptr, 0))
                return e->value;
        }
    }
    return nullptr;
}

template <size_t N>
void copyText(char (&field)[N], const char* text)
{
    std::memset(field, 0, N);
    if (text)
        std::strncpy(field, text, N - 1);
}

} // namespace

void readInfoTags(const AVFormatContext& fmt, KvPlayFileInfo& record)
{
    copyText(record.mac, findTag(fmt, {"mac", "mac_address"}));
    copyText(record.serial, findTag(fmt, {"serial", "serial_number", "sn"}));
    copyText(record.device_type, findTag(fmt, {"device_type", "model", "device"}));
    record.channel = 0;
    if (const char* ch = findTag(fmt, {"channel"})) {
        char* end = nullptr;
        const long v = std::strtol(ch, &end, 10);
        if (end != ch && v >= 0 && v <= 0x7fffffff)
            record.channel = static_cast<int32_t>(v);
    }
}

int fillFileInfo(KvPlayFileInfo& record)
{
    const std::string path(record.path, strnlen(record.path, sizeof record.path));
    // Everything past the path is ours; stale bytes from the caller must not survive a failure.
    std::memset(reinterpret_cast<char*>(&record) + sizeof record.path, 0, sizeof record - sizeof record.path);
    if (path.empty())
        return KV_ERR_PARAM;
    int err = KV_OK;
    auto src = MediaSource::openFile(path, OpenLimits{}, err);
    if (!src)
        return err;
    record.time = static_cast<uint64_t>(src->startTime());
    record.time_source = src->startTimeSource();
    readInfoTags(*src->format(), record);
    return KV_OK;
}

} // namespace kvplay

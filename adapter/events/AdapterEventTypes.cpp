#include "AdapterEventTypes.h"

namespace AdapterEventType {

bool acceptsCopy(const void* data, int32_t length, int32_t limit)
{
    return data != nullptr && length >= 0 && length < limit;
}

QByteArray copyOf(const void* data, int32_t length, int32_t limit)
{
    if (!acceptsCopy(data, length, limit))
        return {};
    return QByteArray(static_cast<const char*>(data), length);
}

}

#include "QKvosAdapter.h"

QKvosAdapter::~QKvosAdapter() = default;

int32_t QKvosAdapter::GetPosImage(uint32_t, int32_t, int32_t, void*, int32_t, int32_t)
{
    return 0;
}

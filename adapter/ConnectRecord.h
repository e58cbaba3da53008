#pragma once

#include "PlayerTypes.h"

#include "kvnet.h"

// The connect request the adapter hands to KvNet: the caller's request with
// the adapter's own report handlers, and where reports go.
struct ConnectRecord {
    const void* request = nullptr;
    KvNetStatusFn status = nullptr;
    KvNetDataFn data = nullptr;
    QObject* owner = nullptr;
    ConnectionStatusHandler handler = nullptr;
    uint32_t session = 0;
};

// A progress report of an upgrade or download: three 32-bit words, the first
// being the report's code.
struct ProgressRecord {
    int32_t code;
    int32_t data;
    int32_t extra;
};
static_assert(sizeof(ProgressRecord) == 12);

#pragma once

// The shape shared by every player API function.

#include "QKvFactory.h"
#include "QKvosAdapter.h"

#include <memory>

namespace PlayerApiCall {

constexpr int32_t kFailed = 1;
constexpr uint64_t kNoTime = 0;

// failure when the handle, its adapter or the handle the operation needs
// (given false) is missing; otherwise op's result on the adapter.
template <typename R, typename Op>
R call(const PlayerHandle* handle, bool given, R failure, Op op)
{
    QKvosAdapter* adapter = handle != nullptr ? handle->adapter() : nullptr;
    if (adapter == nullptr || !given)
        return failure;
    return op(*adapter);
}

// A handle with a new adapter after starting the libraries; null for a kind
// other than 0 or when no adapter could be made.
std::unique_ptr<PlayerHandle> createHandle(int32_t kind);

}

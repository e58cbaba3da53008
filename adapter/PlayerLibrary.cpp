#include "PlayerLibrary.h"

#include "kvnet.h"
#include "kvplay.h"

#include <atomic>
#include <mutex>

namespace {

// The play list measures lengths on worker threads, whose first call may
// start the libraries as well; starts and releases therefore take the lock.
std::mutex g_mutex;
std::atomic<bool> g_initialised{false};

}

namespace PlayerLibrary {

int startHook()
{
    return 0;
}

bool start()
{
    if (g_initialised.load())
        return true;
    const std::lock_guard lock(g_mutex);
    if (!g_initialised.load() && KvNetInit() == 1 && KvPlayInitPlayLib(0, 0, 0) == 0)
        g_initialised.store(true);
    return g_initialised.load();
}

bool isInitialised()
{
    return g_initialised.load();
}

void release()
{
    const std::lock_guard lock(g_mutex);
    if (!g_initialised.load())
        return;
    KvNetRelease();
    KvPlayDeinitPlayLib();
    g_initialised.store(false);
}

int setMaxHardwareDecoders(int n)
{
    return KvPlaySetMaxHardwareDecodeNumber(n);
}

int maxHardwareDecoders()
{
    return KvPlayGetMaxHardwareDecodeNumber();
}

}

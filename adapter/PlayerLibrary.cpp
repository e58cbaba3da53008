#include "PlayerLibrary.h"

#include "kvnet.h"
#include "kvplay.h"

namespace {

bool g_initialised = false;

}

namespace PlayerLibrary {

int startHook()
{
    return 0;
}

bool start()
{
    if (g_initialised)
        return true;
    if (KvNetInit() == 1 && KvPlayInitPlayLib(0, 0, 0) == 0)
        g_initialised = true;
    return g_initialised;
}

bool isInitialised()
{
    return g_initialised;
}

void release()
{
    if (!g_initialised)
        return;
    KvNetRelease();
    KvPlayDeinitPlayLib();
    g_initialised = false;
}

}

#include "PlayerLibrary.h"

namespace {

// GUI thread only: players are created and released there.
bool g_initialised = false;

}

namespace PlayerLibrary {

int startHook()
{
    return 0;
}

bool isInitialised()
{
    return g_initialised;
}

void release()
{
    if (!g_initialised)
        return;
    g_initialised = false;
}

}

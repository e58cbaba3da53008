// What the KV_MODE_* codes mean for the clock and the decoder, shared by the
// instances that play files and the clock instances that lead sync groups.
#pragma once

#include "kvplay.h"

namespace kvplay {

struct Speed {
    int num;
    int den;
};

inline Speed speedOf(int mode)
{
    if (mode >= KV_MODE_SLOW2 && mode <= KV_MODE_SLOW16)
        return {1, 1 << (mode - KV_MODE_SLOW2 + 1)};
    if (mode >= KV_MODE_FAST2 && mode <= KV_MODE_FAST16)
        return {1 << (mode - KV_MODE_FAST2 + 1), 1};
    return {1, 1};
}

inline bool keyframesOnly(int mode) { return mode == KV_MODE_FAST8 || mode == KV_MODE_FAST16; }

inline bool validMode(int code)
{
    return code == KV_MODE_PLAY || code == KV_MODE_PAUSE || code == KV_MODE_STEP || code == KV_MODE_STEP_BACK ||
           (code >= KV_MODE_SLOW2 && code <= KV_MODE_SLOW16) ||
           (code >= KV_MODE_FAST2 && code <= KV_MODE_FAST16);
}

} // namespace kvplay

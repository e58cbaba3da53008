#pragma once

#include <cstdint>

// The recording-time clock of synchronised playback: one library instance
// that plays no file and that the windows' players follow, each showing the
// picture of its own file recorded at the clock's time. Going away lets the
// players carry on alone from where they are. GUI thread only.
class SyncClock
{
public:
    // What continuing from one file into the next needs to know of a file.
    struct Span {
        bool known = false;
        uint64_t start = 0; // recording time, us since 1970
        uint64_t end = 0;
        int32_t channel = -1; // from the file's information; -1 unknown
    };
    // Opens path without threads or sound for a moment. Needs a started library.
    static Span readSpan(const char* path);

    // Starts the libraries if needed; valid() tells whether it worked.
    SyncClock();
    ~SyncClock();
    SyncClock(const SyncClock&) = delete;
    SyncClock& operator=(const SyncClock&) = delete;

    bool valid() const { return m_h != 0; }
    // The playing instance h follows the clock from now on. 0 on success.
    int32_t join(uint32_t h) const;
    // A PlayState* code (not stop); stepUs is the length of a frame step.
    int32_t setMode(int32_t state, int32_t stepUs) const;
    int32_t mode() const;
    // Recording time, us since 1970; 0 means none yet.
    int32_t seek(uint64_t recordingUs) const;
    uint64_t time() const;

private:
    uint32_t m_h = 0;
};

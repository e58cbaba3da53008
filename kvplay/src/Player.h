// One instance behind a handle: the open file, the running pipeline and the
// caller's settings. Every public call takes the instance lock, so calls on
// one handle are serialised.
#pragma once

#include "BackStepper.h"
#include "Callbacks.h"
#include "ClipWriter.h"
#include "IndexBuilder.h"
#include "MediaSource.h"
#include "Playback.h"
#include "Scaler.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace kvplay {

class Player {
public:
    // A clock-only player plays no file: it is the recording-time clock that
    // leads a sync group (PlayerClock.cpp).
    explicit Player(uint32_t handle, bool clockOnly = false);
    ~Player();
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Stops and closes for good; later calls fail with KV_ERR_HANDLE.
    void destroy();

    int open(const char* path);
    int close();
    int start();
    int stop();
    int setMode(int code, int32_t param = 0);
    int mode();
    uint64_t currentTime();
    int range(uint64_t* start, uint64_t* end);
    // range() once a raw stream has been indexed, waiting up to wait for the
    // index pass; KV_ERR_TIMEOUT with the estimate when it is not done yet.
    int exactRange(uint64_t* start, uint64_t* end, std::chrono::milliseconds wait);
    int seek(uint64_t time, bool exact);

    int setTarget(const KvRenderTarget* target);
    int setMessage(KvPlayMessageFn fn, void* context);
    int setDraw(KvPlayDrawFn fn, void* user);
    int setImageHooks(const KvPlayImageHooks* hooks);
    int repaint(bool force);
    int pictureSize(int32_t* width, int32_t* height);
    int setViewArea(int32_t left, int32_t right, int32_t top, int32_t bottom);
    int setAspect(int32_t mode);

    int openSound(bool open);
    int setVolume(int volume);
    int volume();
    int setMute(bool on);
    int mute();

    int capture(const KvPlayCaptureRecord* record);
    int clipStart(const KvPlayLocalRecordRequest* request);
    int clipStop(void* times, void* packets);
    int clipStopAsync(KvPlayClipDoneFn done, void* user);

    // Sync groups (see SyncGroups.h). The clock lives as long as any
    // instance that follows it, whatever happens to this one.
    const std::shared_ptr<PlayClock>& clock() const { return clock_; }
    bool following() const { return clock_->following(); }
    bool clockOnly() const { return clockOnly_; }
    // The mode last set, playing or not.
    int lastMode();
    // The open file's frame interval, us; 0 without a file.
    int64_t frameDurationUs();
    // Takes the master's mode; unlike setMode this works while following.
    void applyGroupMode(int code);
    // Seeks exactly to a position relative to the file's start, if playing.
    void alignTo(int64_t relUs);

private:
    int stopLocked();
    // Ends the recording: the clip to write, with its end at the position.
    std::optional<ClipSpec> takeClipLocked();
    // A clock-only player's mode, seek and time; mutex_ held.
    int clockModeLocked(int code, int32_t stepUs);
    int clockSeekLocked(uint64_t time);
    uint64_t clockTimeLocked() const;
    // Stepping back (PlayerSteps.cpp); all with mutex_ held.
    int stepBackLocked();
    // A step forward while a stepped-back picture is shown: true when the
    // next picture was at hand; otherwise the decoder is set to go on from
    // the picture on screen.
    bool stepFromStillLocked();
    // Before playing on: the decoder goes on from the picture on screen.
    void leaveStillLocked();
    // A still made for another size or view is made again for this one.
    void refreshStillLocked();
    bool currentTarget(BackStepper::Target& target);

    const uint32_t handle_;
    const bool clockOnly_;
    const std::shared_ptr<PlayClock> clock_;
    std::mutex mutex_;
    bool destroyed_ = false;                 // guarded by mutex_
    Callbacks callbacks_;
    std::unique_ptr<MediaSource> source_;    // guarded by mutex_
    std::unique_ptr<IndexBuilder> index_;    // guarded by mutex_; raw streams only
    bool everPlayed_ = false;                // guarded by mutex_
    int mode_;                               // guarded by mutex_
    ViewSettings view_;                      // guarded by mutex_
    bool soundOpen_ = false;                 // guarded by mutex_
    int volume_ = 100;                       // guarded by mutex_
    bool mute_ = false;                      // guarded by mutex_
    std::optional<ClipSpec> clip_;           // guarded by mutex_; set while recording
    std::unique_ptr<BackStepper> stepper_;   // guarded by mutex_; while stepping back
    std::unique_ptr<Playback> playback_;     // guarded by mutex_; declared last, torn down first
};

} // namespace kvplay

// Renderer thread: shows each picture when the clock reaches it, drops late
// ones, tells the decoder when to skip unreferenced pictures, steps, reports
// the end of the file, and keeps the picture on screen for repaints and
// snapshots. While the clock follows a sync master, this
// instance only reads it: pause, steps and speed are the master's.
#pragma once

#include "CatchUp.h"
#include "Callbacks.h"
#include "Control.h"
#include "FrameRing.h"
#include "PlayClock.h"
#include "Scaler.h"
#include "SkipPolicy.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace kvplay {

class Renderer {
public:
    // smallTarget: written on each present, read by the video decoder.
    Renderer(uint32_t handle, Control& control, FrameRing& ring, PlayClock& clock, Callbacks& callbacks,
             int64_t startTime, bool hasVideo, int64_t frameUs, std::atomic<bool>& smallTarget);
    void run();

    void setView(const ViewSettings& view);
    ViewSettings view() const;
    // force: present again even when nothing changed.
    void requestRepaint(bool force);
    // A new reference to the picture on screen; null when none.
    FramePtr shownFrame(bool& fullQuality) const;
    // Stream time of the picture on screen (relative), -1 when none.
    int64_t shownPts() const { return shownPts_.load(); }
    // Asks for one delivery through the picture hooks.
    void requestImage() { imageWanted_.store(true); }
    // Shows a picture made elsewhere (a step back) in place of the decoded
    // one until the next decoded picture is shown; presented with view.
    // Its time is the position from now on.
    void showStill(FramePtr picture, int64_t ptsUs, const ViewSettings& view);
    bool stillShown() const { return stillShown_.load(); }
    // Serial of the picture on screen: equal to the control's once the
    // first picture after a seek is up.
    int shownSerial() const { return shownSerial_.load(); }
    // Waits until the first picture of serial is up, up to wait; true when it is.
    bool waitShown(int serial, std::chrono::milliseconds wait);
    uint64_t presented() const { return presented_.load(); }
    uint64_t dropped() const { return dropped_.load(); }

private:
    enum class Action { Wait, Show, Drop };

    // One scheduling step; returns the wall time to sleep until.
    FrameRing::Clock::time_point step(size_t& queued);
    // What to do with the picture due next, by a clock of our own or by the
    // sync master's; wakeAt is lowered to when a waiting picture is due.
    Action leadAction(const DecodedFrame& f, int serial, FrameRing::Clock::time_point& wakeAt);
    Action followAction(const DecodedFrame& f, int serial, FrameRing::Clock::time_point& wakeAt);
    void trackLateness(int64_t ptsUs, int serial);
    CatchUpStep observeCatchUp(int64_t clockUs, int64_t ptsUs, bool priority);
    void serviceRepaint();
    void serviceStill();
    void audioOnlyStep(FrameRing::Clock::time_point& deadline);
    void show(DecodedFrame frame);
    void present();
    void deliverImage(const AVFrame& frame);
    void endOfFile(int serial);

    const uint32_t handle_;
    Control& control_;
    FrameRing& ring_;
    PlayClock& clock_;
    Callbacks& callbacks_;
    const int64_t startTime_;
    const bool hasVideo_;
    Scaler scaler_;                       // renderer thread only
    SkipPolicy skip_;                     // renderer thread only
    CatchUp catchUp_;                     // renderer thread only

    mutable std::mutex mutex_;
    FramePtr shown_;                      // guarded by mutex_
    bool shownFull_ = true;               // guarded by mutex_
    ViewSettings view_;                   // guarded by mutex_
    ViewSettings lastView_;               // renderer thread only
    int32_t lastW_ = 0;                   // renderer thread only
    int32_t lastH_ = 0;                   // renderer thread only
    int eofSerial_ = -1;                  // renderer thread only
    std::atomic<int> shownSerial_{-1};    // written by the renderer thread only
    std::mutex shownMutex_;
    std::condition_variable shownChanged_; // with shownMutex_, when shownSerial_ changes
    FramePtr still_;                      // renderer thread only
    ViewSettings stillView_;              // renderer thread only
    FramePtr pendingStill_;               // guarded by mutex_
    ViewSettings pendingView_;            // guarded by mutex_
    std::atomic<bool> stillPending_{false};
    std::atomic<bool> stillShown_{false};

    std::atomic<int64_t> shownPts_{-1};
    std::atomic<bool> repaintForced_{false};
    std::atomic<bool> repaintIfChanged_{false};
    std::atomic<bool> imageWanted_{false};
    std::atomic<bool>& smallTarget_;
    std::atomic<uint64_t> presented_{0};
    std::atomic<uint64_t> dropped_{0};
};

} // namespace kvplay

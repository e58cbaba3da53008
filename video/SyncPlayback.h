#pragma once

#include "PlayerTypes.h"
#include "SyncClock.h"
#include "SyncRules.h"

#include <QList>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <map>
#include <memory>

class PreviewVideoFrame;

// Synchronised playback: while on, every window with a file follows one
// recording-time clock, and play, pause, speed, frame steps and seeks act on
// the clock, so on all of them. Windows that open a file later join within a
// tick; a window whose file has no picture yet at the clock's time shows "no
// recording". Switching off leaves each window playing on its own from where
// it is.
class SyncPlayback : public QObject
{
    Q_OBJECT

public:
    SyncPlayback(QList<PreviewVideoFrame*> windows, QObject* parent);
    ~SyncPlayback() override;

    bool isOn() const { return m_clock != nullptr; }
    // selected gives the starting time and the play state; may be null.
    void setOn(bool on, const PreviewVideoFrame* selected);

    // PlayState* of the clock: play, pause or a speed.
    int state() const { return m_state; }
    bool isPlaying() const { return isOn() && m_state != PlayStatePause; }
    // The clock's recording time, us since 1970; 0 when off.
    uint64_t time() const;

    void play();
    void pause();
    void speedUp();
    void slowDown();
    void normalSpeed();
    void step();
    void stepBack();
    void seekTo(uint64_t recordingUs);
    void seekBy(qint64 deltaUs);

signals:
    void toggled(bool on);
    void stateChanged(int state);

private:
    void stepClock(int code);
    void setState(int state);
    // Joins windows that opened a file and refreshes their no-recording
    // state; looks up the next file of those close to their end.
    void tick();
    void release();
    // The file of window's list that continues its file; empty when none.
    QString nextSegmentOf(const PreviewVideoFrame& window);
    // Read once per file.
    const SyncRules::Segment& segmentOf(const QString& path);
    void onFileEnded(PreviewVideoFrame* window);

    QList<PreviewVideoFrame*> m_windows;
    std::unique_ptr<SyncClock> m_clock;
    std::map<const PreviewVideoFrame*, uint32_t> m_joined; // window -> instance that follows
    std::map<const PreviewVideoFrame*, QString> m_next;    // window -> file that continues it
    std::map<QString, SyncRules::Segment> m_segments;      // what is known of each listed file
    QTimer m_timer;
    int m_state = PlayStatePause;
};

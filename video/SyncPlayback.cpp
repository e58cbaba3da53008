#include "SyncPlayback.h"

#include "PlaybackRules.h"
#include "PreviewVideoFrame.h"
#include "SyncRules.h"

namespace {
constexpr int kTickMs = 100;
// How long before a file's end the file that continues it is looked up.
constexpr uint64_t kLookAheadUs = 3'000'000;
}

SyncPlayback::SyncPlayback(QList<PreviewVideoFrame*> windows, QObject* parent)
    : QObject(parent)
    , m_windows(std::move(windows))
{
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &SyncPlayback::tick);
    // A window that opens a file joins at once rather than at the next tick.
    for (PreviewVideoFrame* window : m_windows) {
        connect(window, &PreviewVideoFrame::PlayOrStopSignal, this, &SyncPlayback::tick);
        connect(window, &PreviewVideoFrame::syncedFileEnded, this, [this, window] { onFileEnded(window); });
    }
}

SyncPlayback::~SyncPlayback() = default;

void SyncPlayback::setOn(bool on, const PreviewVideoFrame* selected)
{
    if (on == isOn())
        return;
    if (!on) {
        release();
        emit toggled(false);
        return;
    }
    auto clock = std::make_unique<SyncClock>();
    if (!clock->valid())
        return;
    QList<uint64_t> starts;
    for (const PreviewVideoFrame* window : m_windows) {
        if (window->isOpen())
            starts.append(window->recordingStart());
    }
    const uint64_t shown = selected ? selected->playedTime() : 0;
    const uint64_t start = SyncRules::startingTime(shown, starts);
    if (start != 0)
        clock->seek(start);
    m_clock = std::move(clock);
    const bool playing = selected && selected->isPlaying();
    setState(playing ? PlayStatePlay : PlayStatePause);
    tick();
    m_timer.start();
    emit toggled(true);
}

void SyncPlayback::release()
{
    m_timer.stop();
    // Going away, the clock leaves its followers playing at its last mode.
    m_clock.reset();
    for (PreviewVideoFrame* window : m_windows) {
        if (window->isSynced())
            window->leaveSync(m_state);
    }
    m_joined.clear();
    m_next.clear();
}

uint64_t SyncPlayback::time() const { return m_clock ? m_clock->time() : 0; }

void SyncPlayback::setState(int state)
{
    if (!m_clock)
        return;
    m_clock->setMode(state, 0);
    m_state = state;
    emit stateChanged(state);
}

void SyncPlayback::play() { setState(PlayStatePlay); }

void SyncPlayback::pause() { setState(PlayStatePause); }

void SyncPlayback::speedUp() { setState(PlaybackRules::speedUp(m_state == PlayStatePause ? PlayStatePlay : m_state)); }

void SyncPlayback::slowDown()
{
    setState(PlaybackRules::slowDown(m_state == PlayStatePause ? PlayStatePlay : m_state));
}

void SyncPlayback::normalSpeed() { setState(PlayStatePlay); }

void SyncPlayback::step() { stepClock(PlayStateStep); }

void SyncPlayback::stepBack() { stepClock(PlayStateStepBack); }

void SyncPlayback::stepClock(int code)
{
    // A step moves the clock by one picture and leaves it paused.
    if (!m_clock)
        return;
    m_clock->setMode(code, 0);
    m_state = PlayStatePause;
    emit stateChanged(m_state);
}

void SyncPlayback::seekTo(uint64_t recordingUs)
{
    if (m_clock && recordingUs != 0)
        m_clock->seek(recordingUs);
    tick();
}

void SyncPlayback::seekBy(qint64 deltaUs)
{
    const uint64_t now = time();
    if (now == 0)
        return;
    const int64_t target = static_cast<int64_t>(now) + deltaUs;
    seekTo(target > 0 ? static_cast<uint64_t>(target) : 1);
}

void SyncPlayback::tick()
{
    if (!m_clock)
        return;
    uint64_t now = m_clock->time();
    for (PreviewVideoFrame* window : m_windows) {
        if (!window->isOpen()) {
            m_joined.erase(window);
            continue;
        }
        const auto joined = m_joined.find(window);
        if (joined == m_joined.end() || joined->second != window->instance()) {
            // A clock switched on before any file starts at the first one.
            if (now == 0 && window->recordingStart() != 0) {
                now = window->recordingStart();
                m_clock->seek(now);
            }
            if (m_clock->join(window->instance()) == 0) {
                m_joined[window] = window->instance();
                m_next.erase(window);
                window->enterSync();
            }
        }
        window->showNoRecording(SyncRules::showsNoRecording(now, window->recordingStart()));
        const uint64_t end = window->recordingStart() + window->recordingLength();
        if (now + kLookAheadUs >= end && m_next.count(window) == 0)
            m_next[window] = nextSegmentOf(*window);
    }
}

QString SyncPlayback::nextSegmentOf(const PreviewVideoFrame& window)
{
    QList<SyncRules::Segment> list;
    for (const QString& path : window.fileList())
        list.append(segmentOf(path));
    const qsizetype next = SyncRules::nextSegment(segmentOf(window.currentFile()), list);
    return next < 0 ? QString() : list[next].path;
}

const SyncRules::Segment& SyncPlayback::segmentOf(const QString& path)
{
    auto known = m_segments.find(path);
    if (known == m_segments.end()) {
        const SyncClock::Span span = SyncClock::readSpan(path.toUtf8().constData());
        known = m_segments.emplace(path, SyncRules::Segment{path, span.start, span.end, span.channel}).first;
    }
    return known->second;
}

void SyncPlayback::onFileEnded(PreviewVideoFrame* window)
{
    if (!m_clock)
        return;
    const auto known = m_next.find(window);
    const QString next = known != m_next.end() ? known->second : nextSegmentOf(*window);
    m_next.erase(window);
    if (!next.isEmpty())
        window->continueInto(next);
}

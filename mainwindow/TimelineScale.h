#pragma once

#include <cstdint>

// The coverage timeline's view of recording time: which stretch of time the
// strip's width shows, and where a time falls on it. Times are microseconds
// of recording time, positions pixels from the left edge of the bar area.
class TimelineScale
{
public:
    // Zoom limits: about ten seconds up to a whole day across the strip.
    static constexpr int64_t kMinSpanUs = 10'000'000;
    static constexpr int64_t kMaxSpanUs = 86'400'000'000;

    // A width below one pixel counts as one.
    void setWidth(int pixels);
    int width() const { return m_width; }

    // Shows span (clamped to the zoom limits) from start on.
    void setView(int64_t start, int64_t span);
    int64_t start() const { return m_start; }
    int64_t span() const { return m_span; }
    int64_t end() const { return m_start + m_span; }

    // Unclamped: times outside the view map beside the strip.
    double xAt(int64_t time) const;
    int64_t timeAt(double x) const;

    // Multiplies the span by factor (below 1 zooms in), keeping the time
    // under pixel x where it was; at a limit the span stops there.
    void zoomAround(double x, double factor);
    // Keeps the span, puts time in the middle.
    void centreOn(int64_t time);
    // Shows from..to with a little room either side, within the limits.
    void fit(int64_t from, int64_t to);
    // Moves the view by whole spans until time lies inside it.
    void follow(int64_t time);

private:
    int64_t m_start = 0;
    int64_t m_span = kMaxSpanUs;
    int m_width = 1;
};

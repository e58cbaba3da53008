#include "TimelineScale.h"

#include <algorithm>
#include <cmath>

namespace {

int64_t clampedSpan(double span)
{
    return static_cast<int64_t>(std::clamp(std::llround(span), static_cast<long long>(TimelineScale::kMinSpanUs),
                                           static_cast<long long>(TimelineScale::kMaxSpanUs)));
}

}

void TimelineScale::setWidth(int pixels)
{
    m_width = std::max(1, pixels);
}

void TimelineScale::setView(int64_t start, int64_t span)
{
    m_start = start;
    m_span = clampedSpan(static_cast<double>(span));
}

double TimelineScale::xAt(int64_t time) const
{
    return static_cast<double>(time - m_start) * m_width / static_cast<double>(m_span);
}

int64_t TimelineScale::timeAt(double x) const
{
    return m_start + std::llround(x * static_cast<double>(m_span) / m_width);
}

void TimelineScale::zoomAround(double x, double factor)
{
    if (!(factor > 0.0))
        return;
    const int64_t anchor = timeAt(x);
    m_span = clampedSpan(static_cast<double>(m_span) * factor);
    m_start = anchor - std::llround(x * static_cast<double>(m_span) / m_width);
}

void TimelineScale::centreOn(int64_t time)
{
    m_start = time - m_span / 2;
}

void TimelineScale::fit(int64_t from, int64_t to)
{
    if (to < from)
        std::swap(from, to);
    const int64_t room = (to - from) / 20;
    m_span = clampedSpan(static_cast<double>(to - from + 2 * room));
    m_start = from + (to - from) / 2 - m_span / 2;
}

void TimelineScale::follow(int64_t time)
{
    if (time >= m_start && time < end())
        return;
    const int64_t offset = time - m_start;
    int64_t spans = offset / m_span;
    if (offset % m_span != 0 && offset < 0)
        --spans;
    m_start += spans * m_span;
}

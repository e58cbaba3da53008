#include "SpanMarks.h"

SpanMarks::SpanMarks(QObject* parent)
    : QObject(parent)
{
}

void SpanMarks::setIn(uint64_t time)
{
    m_in = time;
    if (m_out && *m_out < time)
        m_out.reset();
    emit changed();
}

void SpanMarks::setOut(uint64_t time)
{
    m_out = time;
    if (m_in && *m_in > time)
        m_in.reset();
    emit changed();
}

void SpanMarks::clear()
{
    m_in.reset();
    m_out.reset();
    emit changed();
}

int SpanMarks::sliderValue(std::optional<uint64_t> mark, uint64_t start, uint64_t length, int range)
{
    if (!mark || length == 0 || *mark < start || *mark > start + length)
        return -1;
    const double part = static_cast<double>(*mark - start) / static_cast<double>(length);
    return static_cast<int>(part * range);
}

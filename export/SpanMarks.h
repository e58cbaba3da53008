#pragma once

#include <QObject>

#include <cstdint>
#include <optional>

// The In and Out marks of the span to export: recording times, so that they
// mean the same moment in every window. Anything that shows the marks (the
// position slider, a timeline of all windows) reads them here and follows
// changed().
class SpanMarks : public QObject
{
    Q_OBJECT

public:
    explicit SpanMarks(QObject* parent = nullptr);

    std::optional<uint64_t> in() const { return m_in; }
    std::optional<uint64_t> out() const { return m_out; }
    bool isComplete() const { return m_in && m_out; }

    // A mark on the wrong side of the other one drops the other.
    void setIn(uint64_t time);
    void setOut(uint64_t time);
    void clear();

    // Where a mark sits on a slider of range steps for a file starting at
    // start and lasting length (both us); -1 outside the file.
    static int sliderValue(std::optional<uint64_t> mark, uint64_t start, uint64_t length, int range);

signals:
    void changed();

private:
    std::optional<uint64_t> m_in;
    std::optional<uint64_t> m_out;
};

#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

// One file's stretch of recording time, us: from start up to end.
struct CoverageSpan {
    int64_t start = 0;
    int64_t end = 0;
    QString path;

    bool operator==(const CoverageSpan& other) const = default;
};

// One row of the coverage timeline: a window's label and the stretches its
// files cover, kept in start order so that painting and hit tests look up
// only the spans in view, however many files the list holds.
class CoverageRow
{
public:
    CoverageRow() = default;
    // Empty spans (end not after start) are dropped.
    CoverageRow(int window, QString label, std::vector<CoverageSpan> spans);

    int window() const { return m_window; }
    const QString& label() const { return m_label; }
    const std::vector<CoverageSpan>& spans() const { return m_spans; }

    // Indices [first, last) of the spans that overlap from..to.
    std::pair<size_t, size_t> visible(int64_t from, int64_t to) const;
    // The span that covers time, the latest starting one where files
    // overlap; null in a gap.
    const CoverageSpan* spanAt(int64_t time) const;
    // The whole stretch from the first start to the last end; {0, 0} when
    // there is none.
    std::pair<int64_t, int64_t> extent() const;

    bool operator==(const CoverageRow& other) const = default;

private:
    int m_window = -1;
    QString m_label;
    std::vector<CoverageSpan> m_spans;
    // The latest end among spans 0..i: never falls, so it can be searched.
    std::vector<int64_t> m_reach;
};

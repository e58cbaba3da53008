#include "CoverageRow.h"

#include <algorithm>
#include <limits>

CoverageRow::CoverageRow(int window, QString label, std::vector<CoverageSpan> spans)
    : m_window(window)
    , m_label(std::move(label))
{
    std::erase_if(spans, [](const CoverageSpan& s) { return s.end <= s.start; });
    std::stable_sort(spans.begin(), spans.end(),
                     [](const CoverageSpan& a, const CoverageSpan& b) { return a.start < b.start; });
    m_spans = std::move(spans);
    m_reach.reserve(m_spans.size());
    int64_t reach = std::numeric_limits<int64_t>::min();
    for (const CoverageSpan& span : m_spans) {
        reach = std::max(reach, span.end);
        m_reach.push_back(reach);
    }
}

std::pair<size_t, size_t> CoverageRow::visible(int64_t from, int64_t to) const
{
    const auto first = std::upper_bound(m_reach.begin(), m_reach.end(), from);
    const auto last = std::lower_bound(m_spans.begin(), m_spans.end(), to,
                                       [](const CoverageSpan& s, int64_t t) { return s.start < t; });
    const auto firstIndex = static_cast<size_t>(first - m_reach.begin());
    const auto lastIndex = static_cast<size_t>(last - m_spans.begin());
    return {firstIndex, std::max(firstIndex, lastIndex)};
}

const CoverageSpan* CoverageRow::spanAt(int64_t time) const
{
    const auto [first, last] = visible(time, time + 1);
    for (size_t i = last; i > first; --i) {
        const CoverageSpan& span = m_spans[i - 1];
        if (span.start <= time && time < span.end)
            return &span;
    }
    return nullptr;
}

std::pair<int64_t, int64_t> CoverageRow::extent() const
{
    if (m_spans.empty())
        return {0, 0};
    return {m_spans.front().start, m_reach.back()};
}

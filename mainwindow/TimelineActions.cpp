#include "TimelineActions.h"

#include "CoverageRow.h"
#include "KvVideoScreen.h"
#include "Model_Language.h"
#include "PreviewVideoFrame.h"
#include "RecordFileItems.h"
#include "SpanMarks.h"
#include "TimelineTexts.h"
#include "Widget_Timeline.h"

#include <algorithm>

namespace {

constexpr int kTickMs = 200;
// The steps of a window's position slider.
constexpr int64_t kSeekSteps = 10000;

std::optional<int64_t> signedTime(std::optional<uint64_t> time)
{
    if (!time)
        return std::nullopt;
    return static_cast<int64_t>(*time);
}

// Recorder details make the file information's channel mean something: an
// unknown channel reads as 0, the same as the first.
std::optional<int> infoChannelOf(PreviewVideoFrame& window)
{
    FileInfoRecord record{};
    window.fileInformation(&record);
    if (record.mac[0] == '\0' && record.serial[0] == '\0' && record.device_type[0] == '\0')
        return std::nullopt;
    return record.channel + 1;
}

}

TimelineActions::TimelineActions(Widget_Timeline& strip, KvVideoScreen& screen, RecordFileItems& list,
                                 SpanMarks& marks, QObject* parent)
    : QObject(parent)
    , m_strip(strip)
    , m_screen(screen)
    , m_marks(marks)
{
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &TimelineActions::refresh);
    connect(&list, &RecordFileItems::fileRangeRead, this, &TimelineActions::rememberRange);
    connect(&marks, &SpanMarks::changed, this, &TimelineActions::showMarks);
    m_strip.hide();
    showMarks();
}

void TimelineActions::setShown(bool shown)
{
    m_strip.setVisible(shown);
    if (!shown) {
        m_tick.stop();
        return;
    }
    refresh();
    m_tick.start();
}

bool TimelineActions::isShown() const
{
    return !m_strip.isHidden();
}

void TimelineActions::setCursorSource(CursorSource source)
{
    m_cursorSource = std::move(source);
    refresh();
}

void TimelineActions::retranslate()
{
    m_builtRevision = ~quint64{0};
    if (isShown())
        refresh();
}

void TimelineActions::rememberRange(const QString& path, quint64 start, quint64 end)
{
    const std::pair range{static_cast<int64_t>(start), static_cast<int64_t>(end)};
    const auto known = m_ranges.constFind(path);
    if (known != m_ranges.cend() && *known == range)
        return;
    m_ranges.insert(path, range);
    ++m_revision;
}

std::optional<std::pair<int64_t, int64_t>> TimelineActions::rangeOf(const QString& path) const
{
    const auto known = m_ranges.constFind(path);
    if (known == m_ranges.cend())
        return std::nullopt;
    return *known;
}

std::vector<CoverageRules::WindowFiles> TimelineActions::shownWindows()
{
    std::vector<CoverageRules::WindowFiles> shown;
    const int count = std::min(KvVideoScreen::kWindowCount, m_screen.layoutSize() * m_screen.layoutSize());
    for (int i = 0; i < count; ++i) {
        PreviewVideoFrame* window = m_screen.window(i);
        if (!window->isOpen())
            continue;
        const QString file = window->currentFile();
        // An open file's own range is the exact one; the list's reader may
        // not have reached the file yet.
        if (window->recordingLength() > 0)
            rememberRange(file, window->recordingStart(), window->recordingStart() + window->recordingLength());
        if (!m_infoChannels.contains(file))
            m_infoChannels.insert(file, infoChannelOf(*window));
        shown.push_back({i, file, m_infoChannels.value(file), window->fileList()});
    }
    return shown;
}

void TimelineActions::refresh()
{
    std::vector<CoverageRules::WindowFiles> shown = shownWindows();
    if (m_builtRevision != m_revision || shown != m_built) {
        const CoverageRules::RowTexts texts{Model_Language::Text(TimelineTexts::kWindow),
                                            Model_Language::Text(TimelineTexts::kChannel)};
        m_strip.setRows(CoverageRules::buildRows(
            shown, [this](const QString& path) { return rangeOf(path); }, texts));
        m_built = std::move(shown);
        m_builtRevision = m_revision;
    }
    m_strip.setCursorTime(m_cursorSource ? m_cursorSource() : selectedTime());
}

std::optional<int64_t> TimelineActions::selectedTime() const
{
    const PreviewVideoFrame* selected = m_screen.selectedVideo();
    if (selected == nullptr || !selected->isOpen()) {
        if (m_strip.rows().empty())
            return std::nullopt;
        selected = m_screen.window(m_strip.rows().front().window());
    }
    const uint64_t time = selected->playedTime();
    if (time == 0)
        return std::nullopt;
    return static_cast<int64_t>(time);
}

const CoverageRow* TimelineActions::rowOf(int window) const
{
    for (const CoverageRow& row : m_strip.rows()) {
        if (row.window() == window)
            return &row;
    }
    return nullptr;
}

void TimelineActions::seekAllTo(qint64 recordingTimeUs)
{
    refresh();
    for (int i = 0; i < KvVideoScreen::kWindowCount; ++i) {
        PreviewVideoFrame* window = m_screen.window(i);
        if (window->isOpen())
            seekWindow(i, recordingTimeUs);
    }
    m_strip.setCursorTime(recordingTimeUs);
}

// Within its file a window seeks; where another file of its row covers the
// time, it plays that one from there; in a gap it stays where it is.
void TimelineActions::seekWindow(int index, int64_t time)
{
    PreviewVideoFrame& window = *m_screen.window(index);
    const auto first = static_cast<int64_t>(window.recordingStart());
    const auto length = static_cast<int64_t>(window.recordingLength());
    if (time >= first && time < first + length) {
        const uint64_t now = window.playedTime();
        if (now != 0)
            window.seekBy(time - static_cast<int64_t>(now));
        else
            window.seek(static_cast<int>((time - first) * kSeekSteps / length));
        return;
    }
    const CoverageRow* row = rowOf(index);
    const CoverageSpan* span = row ? row->spanAt(time) : nullptr;
    if (span == nullptr || span->path == window.currentFile())
        return;
    window.stop();
    window.play(span->path, static_cast<uint64_t>(time));
}

void TimelineActions::showMarks()
{
    m_strip.setMarks(signedTime(m_marks.in()), signedTime(m_marks.out()));
}

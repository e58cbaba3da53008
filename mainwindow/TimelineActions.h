#pragma once

#include "CoverageRules.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CoverageRow;
class KvVideoScreen;
class PreviewVideoFrame;
class RecordFileItems;
class SpanMarks;
class Widget_Timeline;

// Feeds the coverage timeline from the video windows, their play lists and
// the In and Out marks, and carries out its seeks: every window with a file
// moves to the same recording time, into another file of its row where that
// one covers the time.
class TimelineActions : public QObject
{
    Q_OBJECT

public:
    // The recording time the cursor shows; none hides it.
    using CursorSource = std::function<std::optional<int64_t>()>;

    TimelineActions(Widget_Timeline& strip, KvVideoScreen& screen, RecordFileItems& list, SpanMarks& marks,
                    QObject* parent = nullptr);

    // Shown, the strip follows the windows a few times a second.
    void setShown(bool shown);
    bool isShown() const;
    // By default the cursor follows the picture of the selected window, or
    // of the first row's window when the selected one shows no file.
    void setCursorSource(CursorSource source);
    Widget_Timeline& strip() const { return m_strip; }

    // Brings the rows and the cursor up to date.
    void refresh();
    void retranslate();

public slots:
    void seekAllTo(qint64 recordingTimeUs);

private:
    std::vector<CoverageRules::WindowFiles> shownWindows();
    std::optional<std::pair<int64_t, int64_t>> rangeOf(const QString& path) const;
    void rememberRange(const QString& path, quint64 start, quint64 end);
    void seekWindow(int index, int64_t time);
    const CoverageRow* rowOf(int window) const;
    std::optional<int64_t> selectedTime() const;
    void showMarks();

    Widget_Timeline& m_strip;
    KvVideoScreen& m_screen;
    SpanMarks& m_marks;
    QTimer m_tick;
    CursorSource m_cursorSource;
    QHash<QString, std::pair<int64_t, int64_t>> m_ranges;
    QHash<QString, std::optional<int>> m_infoChannels;
    std::vector<CoverageRules::WindowFiles> m_built;
    // Bumped by every new range, so that rows are rebuilt only on a change.
    quint64 m_revision = 0;
    quint64 m_builtRevision = ~quint64{0};
};

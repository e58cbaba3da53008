#pragma once

#include "CoverageRow.h"
#include "TimelineScale.h"

#include <QLocale>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

// The coverage timeline: one row per window with the stretches of recording
// time its files cover, a cursor at the current recording time and the In
// and Out marks. It only shows what it is given and reports what the user
// asks for: a press or drag asks to seek, the wheel zooms around the mouse.
class Widget_Timeline : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLabelWidth = 80;
    static constexpr int kAxisHeight = 16;
    static constexpr int kRowHeight = 14;

    explicit Widget_Timeline(QWidget* parent = nullptr);

    // The first rows with any coverage set the view to all of it.
    void setRows(std::vector<CoverageRow> rows);
    const std::vector<CoverageRow>& rows() const { return m_rows; }
    // Repaints only the strips of the old and the new cursor; a cursor that
    // leaves the view turns the view on by whole spans.
    void setCursorTime(std::optional<int64_t> time);
    std::optional<int64_t> cursorTime() const { return m_cursor; }
    void setMarks(std::optional<int64_t> in, std::optional<int64_t> out);
    std::optional<int64_t> markIn() const { return m_in; }
    std::optional<int64_t> markOut() const { return m_out; }

    const TimelineScale& scale() const { return m_scale; }
    void setView(int64_t start, int64_t span);
    // Shows every row's coverage.
    void fitToRows();

    // Pixel column of the widget at which time falls, and the other way.
    double xAt(int64_t time) const;
    int64_t timeAt(double x) const;
    // What hovering at position shows: the date-time there; empty over the
    // labels.
    QString hoverText(const QPoint& position) const;
    // A recording time as the locale writes a date and a time with seconds.
    static QString dateTimeText(int64_t time, const QLocale& locale);

signals:
    void seekRequested(qint64 recordingTimeUs);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int barWidth() const;
    QRect cursorStrip(int64_t time) const;
    void seekAt(double x);
    void paintAxis(QPainter& painter, const QRect& dirty) const;
    void paintRow(QPainter& painter, const CoverageRow& row, int top, const QRect& dirty) const;
    void paintMarks(QPainter& painter) const;

    std::vector<CoverageRow> m_rows;
    TimelineScale m_scale;
    std::optional<int64_t> m_cursor;
    std::optional<int64_t> m_in;
    std::optional<int64_t> m_out;
    std::optional<int64_t> m_lastSeek;
    bool m_fitted = false;
    bool m_dragging = false;
};

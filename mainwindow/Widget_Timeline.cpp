#include "Widget_Timeline.h"

#include <QDateTime>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimeZone>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int64_t kUsPerSecond = 1'000'000;
constexpr int kCursorHalfWidth = 3;
constexpr int kMinTickSpacing = 70;
// One wheel notch shows this share of the span before it.
constexpr double kZoomPerNotch = 0.8;
constexpr double kWheelNotch = 120.0;

const QColor kBackground(34, 34, 40);
const QColor kRowShade(44, 44, 52);
const QColor kBar(70, 140, 200);
const QColor kText(200, 200, 205);
const QColor kTick(90, 90, 100);
const QColor kCursor(230, 192, 19);
const QColor kMarkIn(80, 200, 120);
const QColor kMarkOut(220, 80, 80);
const QColor kMarkedSpan(230, 230, 230, 40);

// The first tick step, in seconds, that leaves room for its label.
int64_t tickStep(const TimelineScale& scale)
{
    static constexpr std::array<int64_t, 14> steps{1, 2, 5, 10, 30, 60, 120, 300, 600, 1800, 3600, 7200, 10800, 21600};
    for (const int64_t step : steps) {
        if (step * kUsPerSecond * scale.width() / scale.span() >= kMinTickSpacing)
            return step * kUsPerSecond;
    }
    return steps.back() * kUsPerSecond;
}

QDateTime utcOf(int64_t time)
{
    return QDateTime::fromMSecsSinceEpoch(time / 1000, QTimeZone::utc());
}

}

Widget_Timeline::Widget_Timeline(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("m_pTimeline"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(kAxisHeight + kRowHeight + 2);
    m_scale.setWidth(barWidth());
}

void Widget_Timeline::setRows(std::vector<CoverageRow> rows)
{
    if (rows == m_rows)
        return;
    m_rows = std::move(rows);
    setFixedHeight(kAxisHeight + kRowHeight * std::max<int>(1, static_cast<int>(m_rows.size())) + 2);
    if (!m_fitted)
        fitToRows();
    update();
}

void Widget_Timeline::fitToRows()
{
    std::optional<std::pair<int64_t, int64_t>> all;
    for (const CoverageRow& row : m_rows) {
        if (row.spans().empty())
            continue;
        const auto [from, to] = row.extent();
        all = all ? std::pair{std::min(all->first, from), std::max(all->second, to)} : std::pair{from, to};
    }
    if (!all)
        return;
    m_scale.fit(all->first, all->second);
    m_fitted = true;
    update();
}

void Widget_Timeline::setCursorTime(std::optional<int64_t> time)
{
    if (time == m_cursor)
        return;
    const std::optional<int64_t> old = std::exchange(m_cursor, time);
    if (time && !m_dragging && (*time < m_scale.start() || *time >= m_scale.end())) {
        m_scale.follow(*time);
        update();
        return;
    }
    if (old)
        update(cursorStrip(*old));
    if (time)
        update(cursorStrip(*time));
}

void Widget_Timeline::setMarks(std::optional<int64_t> in, std::optional<int64_t> out)
{
    if (in == m_in && out == m_out)
        return;
    m_in = in;
    m_out = out;
    update();
}

void Widget_Timeline::setView(int64_t start, int64_t span)
{
    m_scale.setView(start, span);
    m_fitted = true;
    update();
}

int Widget_Timeline::barWidth() const
{
    return std::max(1, width() - kLabelWidth);
}

double Widget_Timeline::xAt(int64_t time) const
{
    return kLabelWidth + m_scale.xAt(time);
}

int64_t Widget_Timeline::timeAt(double x) const
{
    return m_scale.timeAt(x - kLabelWidth);
}

QRect Widget_Timeline::cursorStrip(int64_t time) const
{
    const int x = static_cast<int>(std::lround(xAt(time)));
    return {x - kCursorHalfWidth, 0, 2 * kCursorHalfWidth + 1, height()};
}

QString Widget_Timeline::dateTimeText(int64_t time, const QLocale& locale)
{
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(QLatin1Char('s')))
        timeFormat.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    const QDateTime when = utcOf(time);
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat);
}

QString Widget_Timeline::hoverText(const QPoint& position) const
{
    if (position.x() < kLabelWidth)
        return {};
    return dateTimeText(timeAt(position.x()), locale());
}

bool Widget_Timeline::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = hoverText(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
}

void Widget_Timeline::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_scale.setWidth(barWidth());
}

void Widget_Timeline::seekAt(double x)
{
    const int64_t time = timeAt(std::clamp(x, static_cast<double>(kLabelWidth), static_cast<double>(width())));
    if (time == m_lastSeek)
        return;
    m_lastSeek = time;
    setCursorTime(time);
    emit seekRequested(time);
}

void Widget_Timeline::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || event->position().x() < kLabelWidth) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_lastSeek.reset();
    seekAt(event->position().x());
    event->accept();
}

void Widget_Timeline::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    seekAt(event->position().x());
    event->accept();
}

void Widget_Timeline::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    event->accept();
}

void Widget_Timeline::wheelEvent(QWheelEvent* event)
{
    const double x = event->position().x();
    const int notches = event->angleDelta().y();
    if (x < kLabelWidth || notches == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    m_scale.zoomAround(x - kLabelWidth, std::pow(kZoomPerNotch, notches / kWheelNotch));
    m_fitted = true;
    update();
    event->accept();
}

void Widget_Timeline::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, kBackground);
    paintAxis(painter, dirty);
    for (size_t i = 0; i < m_rows.size(); ++i)
        paintRow(painter, m_rows[i], kAxisHeight + static_cast<int>(i) * kRowHeight, dirty);
    paintMarks(painter);
    if (m_cursor) {
        const int x = static_cast<int>(std::lround(xAt(*m_cursor)));
        if (x >= kLabelWidth)
            painter.fillRect(QRect(x - 1, 0, 2, height()), kCursor);
    }
}

void Widget_Timeline::paintAxis(QPainter& painter, const QRect& dirty) const
{
    const int64_t step = tickStep(m_scale);
    const int64_t from = timeAt(std::max(dirty.left(), kLabelWidth) - kMinTickSpacing);
    const int64_t to = timeAt(dirty.right() + 1);
    const QString format = step % (60 * kUsPerSecond) == 0 ? QStringLiteral("HH:mm") : QStringLiteral("HH:mm:ss");
    painter.setPen(kText);
    for (int64_t t = from - ((from % step) + step) % step; t <= to; t += step) {
        const int x = static_cast<int>(std::lround(xAt(t)));
        if (x < kLabelWidth)
            continue;
        painter.fillRect(QRect(x, kAxisHeight - 4, 1, height()), kTick);
        painter.drawText(QPoint(x + 3, kAxisHeight - 4), utcOf(t).toString(format));
    }
}

// Spans narrower than a pixel merge into runs, so a row draws at most one
// rectangle per pixel column in view.
void Widget_Timeline::paintRow(QPainter& painter, const CoverageRow& row, int top, const QRect& dirty) const
{
    const QRect band(0, top, width(), kRowHeight);
    if (!band.intersects(dirty))
        return;
    if (((top - kAxisHeight) / kRowHeight) % 2 == 0)
        painter.fillRect(band.intersected(dirty), kRowShade);
    painter.setPen(kText);
    painter.drawText(QRect(4, top, kLabelWidth - 8, kRowHeight), Qt::AlignVCenter | Qt::AlignLeft, row.label());
    const int left = std::max(dirty.left(), kLabelWidth);
    const int right = dirty.right() + 1;
    const auto [first, last] = row.visible(timeAt(left), timeAt(right) + 1);
    const int barTop = top + 2;
    const int barHeight = kRowHeight - 4;
    int runStart = -1;
    int runEnd = -1;
    for (size_t i = first; i < last; ++i) {
        const CoverageSpan& span = row.spans()[i];
        const int x1 = std::max(left, static_cast<int>(std::floor(xAt(span.start))));
        const int x2 = std::min(right, std::max(x1 + 1, static_cast<int>(std::ceil(xAt(span.end)))));
        if (x2 <= x1)
            continue;
        if (x1 > runEnd) {
            if (runEnd > runStart)
                painter.fillRect(QRect(runStart, barTop, runEnd - runStart, barHeight), kBar);
            runStart = x1;
        }
        runEnd = std::max(runEnd, x2);
    }
    if (runEnd > runStart)
        painter.fillRect(QRect(runStart, barTop, runEnd - runStart, barHeight), kBar);
}

void Widget_Timeline::paintMarks(QPainter& painter) const
{
    const auto column = [this](int64_t t) {
        return static_cast<int>(std::clamp(std::lround(xAt(t)), static_cast<long>(kLabelWidth - 1),
                                           static_cast<long>(width())));
    };
    if (m_in && m_out) {
        const int x1 = column(*m_in);
        painter.fillRect(QRect(x1, kAxisHeight, column(*m_out) - x1, height() - kAxisHeight), kMarkedSpan);
    }
    for (const auto& [mark, colour] : {std::pair{m_in, kMarkIn}, std::pair{m_out, kMarkOut}}) {
        if (!mark)
            continue;
        const int x = static_cast<int>(std::lround(xAt(*mark)));
        if (x >= kLabelWidth && x <= width())
            painter.fillRect(QRect(x, 0, 2, height()), colour);
    }
}

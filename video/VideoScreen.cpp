#include "VideoScreen.h"

#include <QPainter>
#include <QResizeEvent>

#include <cstring>

VideoScreen::VideoScreen(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

VideoScreen::~VideoScreen() = default;

void VideoScreen::setAttached(bool attached)
{
    m_attached = attached;
}

void VideoScreen::setRepaintRequest(std::function<void()> request)
{
    m_repaintRequest = std::move(request);
}

void VideoScreen::clearFrame()
{
    {
        QMutexLocker locker(&m_frameLock);
        m_frame = QImage();
    }
    update();
}

QImage VideoScreen::currentFrame() const
{
    QMutexLocker locker(&m_frameLock);
    return m_frame;
}

void VideoScreen::setPlaceholder(const QString& text)
{
    m_placeholder = text;
    update();
}

void VideoScreen::setSelection(const QRect& selection)
{
    m_selection = selection;
    update();
}

void VideoScreen::presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride)
{
    // The pixels live only during this call; copy them out of the library,
    // into the last frame's buffer when its size still fits, so that playing
    // does not allocate a picture per frame.
    {
        QMutexLocker locker(&m_frameLock);
        QImage& frame = m_frame;
        if (frame.width() != width || frame.height() != height)
            frame = QImage(width, height, QImage::Format_RGB32);
        const auto rowBytes = static_cast<size_t>(width) * 4;
        for (int y = 0; y < height; ++y)
            std::memcpy(frame.scanLine(y), bgra + static_cast<ptrdiff_t>(y) * stride, rowBytes);
    }
    if (!m_updatePending.exchange(true))
        QMetaObject::invokeMethod(this, &VideoScreen::onFramePresented, Qt::QueuedConnection);
}

QSize VideoScreen::pixelSize() const
{
    return {m_pixelWidth.load(), m_pixelHeight.load()};
}

void VideoScreen::onFramePresented()
{
    m_updatePending = false;
    update();
    emit framePresented();
}

void VideoScreen::resizeEvent(QResizeEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    m_pixelWidth = static_cast<int32_t>(event->size().width() * ratio);
    m_pixelHeight = static_cast<int32_t>(event->size().height() * ratio);
    // A drag of the splitter resizes many times between two turns of the
    // event loop: the library is asked once, after the last.
    if (!m_resizePending) {
        m_resizePending = true;
        QMetaObject::invokeMethod(this, &VideoScreen::onResized, Qt::QueuedConnection);
    }
    QWidget::resizeEvent(event);
}

void VideoScreen::onResized()
{
    m_resizePending = false;
    if (m_attached && m_repaintRequest)
        m_repaintRequest();
}

void VideoScreen::setNoRecording(bool on, const QString& text)
{
    if (on == m_noRecording && text == m_noRecordingText)
        return;
    m_noRecording = on;
    m_noRecordingText = text;
    update();
}

void VideoScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage frame = currentFrame();
    if (m_noRecording) {
        painter.fillRect(rect(), QColor(24, 24, 28));
        painter.setPen(QColor(150, 150, 160));
        painter.drawText(rect(), Qt::AlignCenter, m_noRecordingText);
    } else if (frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        if (!m_placeholder.isEmpty()) {
            painter.setPen(QColor(200, 200, 200));
            painter.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, m_placeholder);
        }
    } else {
        // Until the library presents at the new size, stretch the last frame
        // rather than leave a gap.
        painter.drawImage(rect(), frame);
    }
    if (!m_selection.isEmpty()) {
        painter.setPen(QPen(QColor(230, 192, 19), 1, Qt::DashLine));
        painter.setBrush(QColor(230, 192, 19, 40));
        painter.drawRect(m_selection.adjusted(0, 0, -1, -1));
    }
}

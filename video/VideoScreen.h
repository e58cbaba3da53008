#pragma once

#include "RenderSurface.h"

#include <QImage>
#include <QMutex>
#include <QRect>
#include <QString>
#include <QWidget>

#include <atomic>
#include <functional>

// The surface of a video window, where the playback library's pictures go. The
// library presents finished frames from its own thread; the surface keeps the
// newest one behind a lock, queues one update for it and paints it on the GUI
// thread, black where there is none. Painting never calls into the library:
// only a change of size asks it to present again.
class VideoScreen : public QWidget, public RenderSurface
{
    Q_OBJECT

public:
    explicit VideoScreen(QWidget* parent = nullptr);
    ~VideoScreen() override;

    void presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride) override;
    QSize pixelSize() const override;

    // Attached while a file plays: a change of size asks the library, once and
    // queued, to present again at the new size through the repaint request.
    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    void setRepaintRequest(std::function<void()> request);

    // Forgets the last frame, so a stopped window turns black.
    void clearFrame();
    QImage currentFrame() const;

    // Text shown over a window that has no picture yet (a file still opening);
    // empty for none.
    void setPlaceholder(const QString& text);
    QString placeholder() const { return m_placeholder; }
    // A dark surface with text over it in place of the picture, while the
    // window's file has no footage at the synchronised time.
    void setNoRecording(bool on, const QString& text);
    bool isNoRecording() const { return m_noRecording; }

    // The zoom selection drawn over the picture; an empty rectangle hides it.
    void setSelection(const QRect& selection);
    QRect selection() const { return m_selection; }

signals:
    // A new picture is in, its update queued; at most one per turn of the
    // event loop, on the GUI thread.
    void framePresented();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onFramePresented();
    void onResized();

    bool m_attached = true;
    std::function<void()> m_repaintRequest;
    QRect m_selection;
    QString m_placeholder;
    bool m_resizePending = false;
    bool m_noRecording = false;
    QString m_noRecordingText;

    std::atomic<int32_t> m_pixelWidth{0};
    std::atomic<int32_t> m_pixelHeight{0};
    std::atomic<bool> m_updatePending{false};

    mutable QMutex m_frameLock;
    QImage m_frame; // guarded by m_frameLock
};

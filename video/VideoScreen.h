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
// newest one behind a lock and paints it on the GUI thread, black where there
// is none.
class VideoScreen : public QWidget, public RenderSurface
{
    Q_OBJECT

public:
    explicit VideoScreen(QWidget* parent = nullptr);
    ~VideoScreen() override;

    void presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride) override;
    QSize pixelSize() const override;

    // Attached while a file plays: paints ask the library to present again at
    // the current size through the repaint request.
    void setAttached(bool attached);
    bool isAttached() const { return m_attached; }
    void setRepaintRequest(std::function<void()> request);

    // Forgets the last frame, so a stopped window turns black.
    void clearFrame();
    QImage currentFrame() const;

    // A dark surface with text over it in place of the picture, while the
    // window's file has no footage at the synchronised time.
    void setNoRecording(bool on, const QString& text);
    bool isNoRecording() const { return m_noRecording; }

    // The zoom selection drawn over the picture; an empty rectangle hides it.
    void setSelection(const QRect& selection);
    QRect selection() const { return m_selection; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onFramePresented();

    bool m_attached = true;
    std::function<void()> m_repaintRequest;
    QRect m_selection;
    bool m_noRecording = false;
    QString m_noRecordingText;

    std::atomic<int32_t> m_pixelWidth{0};
    std::atomic<int32_t> m_pixelHeight{0};
    std::atomic<bool> m_updatePending{false};

    mutable QMutex m_frameLock;
    QImage m_frame; // guarded by m_frameLock
};

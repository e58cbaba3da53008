#pragma once

#include "RenderSurface.h"

#include <QImage>
#include <QMutex>
#include <QSize>
#include <QWidget>

// A video surface for tests: keeps the last presented frame and counts them.
// The library calls it on its own threads, hence the mutex.
class TestSurface : public QWidget, public RenderSurface {
public:
    explicit TestSurface(QSize size);
    ~TestSurface() override;

    void presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride) override;
    QSize pixelSize() const override;

    void setTargetSize(QSize size);
    int presents() const;
    QImage lastFrame() const;

private:
    mutable QMutex m_mutex;
    QSize m_size;
    int m_presents = 0;
    QImage m_last;
};

#include "TestSurface.h"

#include <QMutexLocker>

TestSurface::TestSurface(QSize size) : m_size(size)
{
    resize(size);
}

TestSurface::~TestSurface() = default;

void TestSurface::setTargetSize(QSize size)
{
    QMutexLocker lock(&m_mutex);
    m_size = size;
}

int TestSurface::presents() const
{
    QMutexLocker lock(&m_mutex);
    return m_presents;
}

QImage TestSurface::lastFrame() const
{
    QMutexLocker lock(&m_mutex);
    return m_last;
}

void TestSurface::presentPicture(const uint8_t* bgra, int32_t width, int32_t height, int32_t stride)
{
    const QImage frame = QImage(bgra, width, height, stride, QImage::Format_RGB32).copy();
    QMutexLocker lock(&m_mutex);
    m_last = frame;
    ++m_presents;
}

QSize TestSurface::pixelSize() const
{
    QMutexLocker lock(&m_mutex);
    return m_size;
}

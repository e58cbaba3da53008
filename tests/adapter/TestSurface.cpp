#include "TestSurface.h"

#include <QMutexLocker>

TestSurface::TestSurface(QSize size) : m_size(size)
{
    m_target.user = this;
    m_target.present = &TestSurface::present;
    m_target.size = &TestSurface::size;
    resize(size);
}

TestSurface::~TestSurface() = default;

const KvRenderTarget* TestSurface::renderTarget()
{
    return &m_target;
}

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

void TestSurface::present(void* user, const uint8_t* bgra, int32_t width, int32_t height, int32_t stride)
{
    auto* self = static_cast<TestSurface*>(user);
    const QImage frame = QImage(bgra, width, height, stride, QImage::Format_RGB32).copy();
    QMutexLocker lock(&self->m_mutex);
    self->m_last = frame;
    ++self->m_presents;
}

void TestSurface::size(void* user, int32_t* width, int32_t* height)
{
    auto* self = static_cast<TestSurface*>(user);
    QMutexLocker lock(&self->m_mutex);
    *width = self->m_size.width();
    *height = self->m_size.height();
}

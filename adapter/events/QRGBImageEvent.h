#pragma once

#include "AdapterEventTypes.h"

#include <QImage>

class QObject;

// A decoded picture from the picture hooks, type 1009. The library writes the
// pixels between the allocate and the ready hook.
class QRGBImageEvent : public QEvent {
public:
    QRGBImageEvent(QObject* target, uint32_t extra, QImage picture, uint32_t value);
    ~QRGBImageEvent() override;

    QObject* target() const { return m_target; }
    uint32_t extra() const { return m_extra; }
    const QImage& picture() const { return m_picture; }
    QImage& picture() { return m_picture; }
    uint32_t value() const { return m_value; }

    void setPicture(const QImage& picture) { m_picture = picture; }
    void setValue(uint32_t value) { m_value = value; }
    void setExtra(uint32_t extra) { m_extra = extra; }

private:
    QObject* m_target;
    uint32_t m_extra;
    QImage m_picture;
    uint32_t m_value;
};

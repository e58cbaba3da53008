#include "QRGBImageEvent.h"

#include <utility>

QRGBImageEvent::QRGBImageEvent(QObject* target, uint32_t extra, QImage picture, uint32_t value)
    : QEvent(AdapterEventType::RgbImage),
      m_target(target),
      m_extra(extra),
      m_picture(std::move(picture)),
      m_value(value)
{
}

QRGBImageEvent::~QRGBImageEvent() = default;

#include "Picture_label.h"

#include <QMouseEvent>

Picture_label::Picture_label(QWidget* parent)
    : QLabel(parent)
{
}

void Picture_label::mousePressEvent(QMouseEvent* event)
{
    emit openFileReq();
    event->ignore();
}

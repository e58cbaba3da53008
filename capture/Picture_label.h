#pragma once

#include <QLabel>

// A label that reports every mouse press, for the clickable parts of a notice.
class Picture_label : public QLabel
{
    Q_OBJECT

public:
    explicit Picture_label(QWidget* parent = nullptr);

signals:
    void openFileReq();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

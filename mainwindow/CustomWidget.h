#pragma once

#include <QImage>
#include <QWidget>

// A plain widget whose backdrop is the theme's background picture stretched
// over its whole area, whatever its size or aspect.
class CustomWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CustomWidget(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_background;
};

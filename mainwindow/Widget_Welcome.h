#pragma once

#include <QWidget>

// The start page: the start picture with the two open buttons. A recording
// dropped on it is reported for the main window to add and play.
class Widget_Welcome : public QWidget
{
    Q_OBJECT

public:
    explicit Widget_Welcome(QWidget* parent = nullptr);

signals:
    void DropFileToWelcome(const QString& file);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

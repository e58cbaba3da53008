#pragma once

#include <QScrollArea>

// The scroll area of the play list; the main window's style sheet selects on
// its class name, which is its only reason to exist.
class RecordPlayList : public QScrollArea
{
    Q_OBJECT

public:
    explicit RecordPlayList(QWidget* parent = nullptr);
};

#pragma once

#include <QEvent>

// Asks the main window to run an open dialog once the menu that asked for it
// has closed: kind 1 the file dialog, 0 the folder dialog.
class QOpenDirEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(1333);
    static constexpr int kFolder = 0;
    static constexpr int kFile = 1;

    explicit QOpenDirEvent(int kind)
        : QEvent(kType)
        , m_kind(kind)
    {
    }

    int kind() const { return m_kind; }

private:
    int m_kind;
};

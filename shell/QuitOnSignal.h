#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop normally on SIGTERM, SIGINT or SIGHUP, so that a logout or
// a kill from a terminal still runs the shutdown that saves the play list and
// the settings. The signal handler only writes to a pipe; the quit happens on
// the GUI thread.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;

private:
    void onSignal();

    QSocketNotifier* m_notifier = nullptr;
};

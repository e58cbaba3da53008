#pragma once

#include <QObject>
#include <QPointer>

class KvVideoScreen;
class QAbstractButton;

// The controls of synchronised playback: the toggle in the main window's
// control row, the one in the full-screen bar and the video screen's menu
// entry all switch it; the buttons show its state, and the settings keep it
// for the next start. While it is on the screen's commands act on every
// window through one clock.
class SyncControls : public QObject
{
    Q_OBJECT

public:
    // The settings key that keeps the toggle.
    static const char* const kSettingsKey;

    SyncControls(KvVideoScreen& screen, QAbstractButton& rowButton, QObject* parent);

    // The full-screen bar's toggle, once the bar exists.
    void setBarButton(QAbstractButton* button);
    // Switches on when the settings say so.
    void restore();
    void retranslate();

public slots:
    void toggle(bool on);
    // Moves every window to the recording time, us since 1970.
    void seekAll(qint64 recordingTimeUs);

signals:
    // Synchronised playback went on or off: the coverage strip follows it.
    void syncShown(bool on);

private:
    void show(bool on);

    KvVideoScreen& m_screen;
    QAbstractButton& m_rowButton;
    QPointer<QAbstractButton> m_barButton;
};

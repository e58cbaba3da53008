#pragma once

#include <QFrame>

class QAbstractButton;
class QAbstractSlider;
class QLabel;
class QToolButton;
class Slider;

// The main window's controls that the bar stands in for while the video fills
// the screen. A null entry is left unforwarded.
struct ControlBarTargets {
    QAbstractButton* play = nullptr;
    QAbstractButton* stop = nullptr;
    QAbstractButton* fast = nullptr;
    QAbstractButton* slow = nullptr;
    QAbstractButton* frameBack = nullptr;
    QAbstractButton* frameForward = nullptr;
    QAbstractButton* sound = nullptr;
    Slider* position = nullptr;
    QAbstractSlider* volume = nullptr;
    QAbstractButton* syncPlay = nullptr;
    QAbstractButton* markIn = nullptr;
    QAbstractButton* markOut = nullptr;
};

// The strip of playback controls under the full-screen video. It has no
// commands of its own: forwardTo() makes each of its controls re-emit the
// signal of the matching main window control, so every command keeps a single
// handler there, and the owner keeps the bar's states, pictures and texts in
// step through the accessors. It hides itself when the pointer leaves it; the
// video screen shows it again on the next pointer movement.
class Widget_ControlBar : public QFrame
{
    Q_OBJECT

public:
    explicit Widget_ControlBar(QWidget* parent = nullptr);

    void forwardTo(const ControlBarTargets& targets) const;

    QToolButton* playButton() const { return m_pBtnCBPlay; }
    QToolButton* stopButton() const { return m_pBtnCBStop; }
    QToolButton* fastButton() const { return m_pBtnCBFast; }
    QToolButton* slowButton() const { return m_pBtnCBSlow; }
    QToolButton* frameBackButton() const { return m_pBtnCBSingleBack; }
    QToolButton* frameForwardButton() const { return m_pBtnCBSingleFoward; }
    QToolButton* soundButton() const { return m_pBtnCBSound; }
    QToolButton* syncButton() const { return m_pBtnCBSyncPlay; }
    QToolButton* markInButton() const { return m_pBtnCBMarkIn; }
    QToolButton* markOutButton() const { return m_pBtnCBMarkOut; }
    Slider* positionSlider() const { return m_pSlCBTime; }
    Slider* volumeSlider() const { return m_pSlCBSound; }
    QLabel* statusLabel() const { return m_pLabCBStatus; }
    QLabel* elapsedLabel() const { return m_pLabCBElapsed; }
    QLabel* totalLabel() const { return m_pLabCBTotal; }

protected:
    void leaveEvent(QEvent* event) override;

private:
    QLayout* buildTimeRow();
    QLayout* buildButtonRow();
    QToolButton* makeButton(const QString& objectName, const QString& sheet, int side);
    QLabel* makeTimeLabel();

    QToolButton* m_pBtnCBPlay = nullptr;
    QToolButton* m_pBtnCBStop = nullptr;
    QToolButton* m_pBtnCBFast = nullptr;
    QToolButton* m_pBtnCBSlow = nullptr;
    QToolButton* m_pBtnCBSingleBack = nullptr;
    QToolButton* m_pBtnCBSingleFoward = nullptr;
    QToolButton* m_pBtnCBSound = nullptr;
    QToolButton* m_pBtnCBSyncPlay = nullptr;
    QToolButton* m_pBtnCBMarkIn = nullptr;
    QToolButton* m_pBtnCBMarkOut = nullptr;
    Slider* m_pSlCBTime = nullptr;
    Slider* m_pSlCBSound = nullptr;
    QLabel* m_pLabCBStatus = nullptr;
    QLabel* m_pLabCBElapsed = nullptr;
    QLabel* m_pLabCBTotal = nullptr;
};

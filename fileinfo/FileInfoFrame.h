#pragma once

#include "PlayerTypes.h"

#include <QFrame>

class QAction;
class QLabel;
class QToolButton;

// The recorder's information about the current video window's file: MAC
// address, serial number, channel, recording time and device type. It sits
// over the lower-left corner of the video screen; its time row follows the
// play position.
class FileInfoFrame : public QFrame
{
    Q_OBJECT

public:
    explicit FileInfoFrame(QWidget* parent = nullptr);

    // The menu entry that shows and hides the panel; closing the panel
    // unchecks it.
    void setShowAction(QAction* action) { m_showAction = action; }

    void showRecord(const FileInfoRecord& record);
    void showTime(uint64_t microseconds);
    void retranslate();

    QString macText() const;
    QString serialText() const;
    QString channelText() const;
    QString timeText() const;
    QString deviceTypeText() const;
    QString timeSourceText() const;
    QString timeSourceCaption() const;
    QToolButton* closeButton() const { return m_pBtnClose; }

public slots:
    void OnExitClicked();

private:
    QLabel* addRow(const char* captionName, const char* valueName, QLabel** caption);

    QAction* m_showAction = nullptr;
    int32_t m_timeSource = TimeSourceUnknown;
    QFrame* m_pFrameTitle = nullptr;
    QLabel* m_pTitle = nullptr;
    QToolButton* m_pBtnClose = nullptr;
    QLabel* m_pMac = nullptr;
    QLabel* m_pMacInfo = nullptr;
    QLabel* m_pDeviceSN = nullptr;
    QLabel* m_pDeviceSNInfo = nullptr;
    QLabel* m_pChannel = nullptr;
    QLabel* m_pChannelInfo = nullptr;
    QLabel* m_pBeginTime = nullptr;
    QLabel* m_pBeginTimeInfo = nullptr;
    QLabel* m_pDeviceType = nullptr;
    QLabel* m_pDeviceTypeInfo = nullptr;
    QLabel* m_pTimeSource = nullptr;
    QLabel* m_pTimeSourceInfo = nullptr;
    QLabel* m_pFrameCount = nullptr;
    QLabel* m_pFrameCountInfo = nullptr;
};

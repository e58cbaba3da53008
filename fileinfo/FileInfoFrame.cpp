#include "FileInfoFrame.h"

#include "FileInfoText.h"
#include "Model_Language.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 368;
constexpr int kHeight = 276;
constexpr int kRowMargin = 10;

}

FileInfoFrame::FileInfoFrame(QWidget* parent)
    : QFrame(parent)
{
    resize(kWidth, kHeight);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    auto* column = new QVBoxLayout(this);
    column->setObjectName(QStringLiteral("verticalLayout"));
    column->setContentsMargins(0, 0, 0, 0);

    m_pFrameTitle = new QFrame(this);
    m_pFrameTitle->setFrameShape(QFrame::StyledPanel);
    m_pFrameTitle->setFrameShadow(QFrame::Raised);
    auto* titleRow = new QHBoxLayout(m_pFrameTitle);
    titleRow->setObjectName(QStringLiteral("horizontalLayout"));
    m_pTitle = new QLabel(m_pFrameTitle);
    m_pTitle->setObjectName(QStringLiteral("m_pTitle"));
    m_pBtnClose = new QToolButton(m_pFrameTitle);
    m_pBtnClose->setFixedSize(26, 26);
    titleRow->addWidget(m_pTitle);
    titleRow->addWidget(m_pBtnClose);
    column->addWidget(m_pFrameTitle);

    m_pMacInfo = addRow("m_pMac", "m_pMacInfo", &m_pMac);
    m_pDeviceSNInfo = addRow("m_pDeviceSN", "m_pDeviceSNInfo", &m_pDeviceSN);
    m_pChannelInfo = addRow("m_pChannel", "m_pChannelInfo", &m_pChannel);
    m_pBeginTimeInfo = addRow("m_pBeginTime", "m_pBeginTimeInfo", &m_pBeginTime);
    m_pDeviceTypeInfo = addRow("m_pDeviceType", "m_pDeviceTypeInfo", &m_pDeviceType);
    m_pTimeSourceInfo = addRow("m_pTimeSource", "m_pTimeSourceInfo", &m_pTimeSource);
    m_pFrameCountInfo = addRow("m_pFrameCount", "m_pFrameCountInfo", &m_pFrameCount);
    // The library does not count frames; the row stays for the layout.
    m_pFrameCount->hide();
    m_pFrameCountInfo->hide();

    m_pFrameTitle->setObjectName(QStringLiteral("FileInfoFrameTitle"));
    m_pFrameTitle->setStyleSheet(QStringLiteral("background-color:rgb(36, 46, 97)"));
    setObjectName(QStringLiteral("FileInfoFrame"));
    setStyleSheet(QStringLiteral("background-color:rgb(66, 70, 100)"));
    m_pBtnClose->setObjectName(QStringLiteral("ToolButton0"));
    m_pBtnClose->setStyleSheet(QStringLiteral("background-image:url(:/icons/gray1/exit.png)"));
    connect(m_pBtnClose, &QToolButton::clicked, this, &FileInfoFrame::OnExitClicked);
    retranslate();
}

QLabel* FileInfoFrame::addRow(const char* captionName, const char* valueName, QLabel** caption)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(kRowMargin, 0, kRowMargin, 0);
    *caption = new QLabel(this);
    (*caption)->setObjectName(QString::fromLatin1(captionName));
    auto* value = new QLabel(this);
    value->setObjectName(QString::fromLatin1(valueName));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(*caption);
    row->addWidget(value);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    return value;
}

void FileInfoFrame::showRecord(const FileInfoRecord& record)
{
    const FileInfoText::Fields fields = FileInfoText::fields(record);
    m_pMacInfo->setText(fields.mac);
    m_pDeviceSNInfo->setText(fields.serial);
    m_pChannelInfo->setText(fields.channel);
    m_pBeginTimeInfo->setText(fields.time);
    m_pDeviceTypeInfo->setText(fields.deviceType);
    m_pTimeSourceInfo->setText(fields.timeSource);
    m_timeSource = record.time_source;
}

void FileInfoFrame::showTime(uint64_t microseconds)
{
    m_pBeginTimeInfo->setText(FileInfoText::timeText(microseconds));
}

void FileInfoFrame::retranslate()
{
    // Recorder field names, the same in every language.
    m_pTitle->setText(QStringLiteral("WaterMark"));
    m_pMac->setText(QStringLiteral("Mac"));
    m_pDeviceSN->setText(QStringLiteral("SN"));
    m_pChannel->setText(QStringLiteral("Channel"));
    m_pBeginTime->setText(QStringLiteral("GTime"));
    m_pDeviceType->setText(QStringLiteral("DeviceType"));
    m_pTimeSource->setText(Model_Language::Text(FileInfoText::kTimeSourceCaption));
    const int sourceText = FileInfoText::timeSourceTextIndex(m_timeSource);
    m_pTimeSourceInfo->setText(sourceText < 0 ? QString() : Model_Language::Text(sourceText));
}

void FileInfoFrame::OnExitClicked()
{
    if (m_showAction)
        m_showAction->setChecked(false);
    hide();
}

QString FileInfoFrame::macText() const { return m_pMacInfo->text(); }
QString FileInfoFrame::serialText() const { return m_pDeviceSNInfo->text(); }
QString FileInfoFrame::channelText() const { return m_pChannelInfo->text(); }
QString FileInfoFrame::timeText() const { return m_pBeginTimeInfo->text(); }
QString FileInfoFrame::deviceTypeText() const { return m_pDeviceTypeInfo->text(); }
QString FileInfoFrame::timeSourceText() const { return m_pTimeSourceInfo->text(); }
QString FileInfoFrame::timeSourceCaption() const { return m_pTimeSource->text(); }

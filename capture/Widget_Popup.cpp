#include "Widget_Popup.h"

#include "Picture_label.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kLinkWidth = 160;

Picture_label* clickableLabel(QWidget* parent)
{
    auto* label = new Picture_label(parent);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

}

Widget_Popup::Widget_Popup()
    : QWidget(nullptr, Qt::ToolTip)
    , m_layout(new QVBoxLayout(this))
    , m_closeTimer(new QTimer(this))
    , m_pictureLabel(clickableLabel(this))
    , m_textLabel(clickableLabel(this))
{
    setObjectName(QStringLiteral("PopupWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(kWidth, kHeight);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_layout->setSpacing(2);
    m_layout->setContentsMargins(20, 10, 20, 10);
    m_closeTimer->setInterval(kCloseAfterMs);
    connect(m_closeTimer, &QTimer::timeout, this, &Widget_Popup::closeResponse);
    m_pictureLabel->setScaledContents(true);
    connect(m_pictureLabel, &Picture_label::openFileReq, this, &Widget_Popup::openFile);
    m_textLabel->setWordWrap(true);
    m_textLabel->setStyleSheet(QStringLiteral("color:white;"));
    m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                         Qt::LinksAccessibleByKeyboard);
    connect(m_textLabel, &Picture_label::openFileReq, this, &Widget_Popup::openFolder);
    m_layout->addWidget(m_pictureLabel, 1);
    m_layout->addWidget(m_textLabel);
}

QSize Widget_Popup::sizeHint() const
{
    return {kWidth, kHeight};
}

bool Widget_Popup::SetContent(const QString& text, int kind)
{
    if (kind < kMessage || kind > kLink)
        return false;
    m_kind = kind;
    m_path = text;
    m_pictureLabel->hide();
    if (kind == kMessage) {
        m_textLabel->setText(text);
    } else {
        const QString elided = QFontMetrics(font()).elidedText(text, Qt::ElideRight, kLinkWidth);
        m_textLabel->setText(QStringLiteral("<a style=\"color:green;\" href = \"") + text.toHtmlEscaped() +
                             QStringLiteral("\">") + elided.toHtmlEscaped() + QStringLiteral("</a>"));
    }
    m_closeTimer->start();
    return true;
}

QString Widget_Popup::text() const
{
    return m_textLabel->text();
}

void Widget_Popup::closeResponse()
{
    m_closeTimer->stop();
    m_closeTimer->disconnect(this);
    close();
    deleteLater();
}

void Widget_Popup::openFolder()
{
    // A message names no file.
    if (m_kind != kMessage)
        m_folderOpener.showFile(m_path, QCoreApplication::instance());
}

void Widget_Popup::openFile()
{
    if (m_kind == kPicture)
        QDesktopServices::openUrl(QUrl::fromLocalFile(m_path));
}

void Widget_Popup::enterEvent(QEnterEvent* event)
{
    m_closeTimer->stop();
    QWidget::enterEvent(event);
}

void Widget_Popup::leaveEvent(QEvent* event)
{
    m_closeTimer->start(kCloseAfterMs);
    QWidget::leaveEvent(event);
}

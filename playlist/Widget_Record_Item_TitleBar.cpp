#include "Widget_Record_Item_TitleBar.h"

#include "Model_Language.h"
#include "PlayListText.h"

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kInvalidFileText = 78;
constexpr QPoint kDragHotSpot{20, 13};

const QString& progressPicture()
{
    static const QString path = QStringLiteral(":/icons/gray1/titleBackground.png");
    return path;
}

QLabel* sizeLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    // The application style sheet gives labels of this name the small grey font.
    label->setObjectName(QStringLiteral("SizeLabel"));
    return label;
}

}

Widget_Record_Item_TitleBar::Widget_Record_Item_TitleBar(const QString& path, QWidget* container, int index)
    : QFrame(container)
    , m_fileName(PlayListText::fileNameOf(path))
    , m_fullPath(path)
    , m_index(index)
{
    buildWidgets();
    showTexts();
    m_pBtnDelete->hide();
    setProperty("selected", false);
    connect(m_pBtnDelete, &QToolButton::clicked, this, &Widget_Record_Item_TitleBar::OnDeleteBtnClicked);
}

void Widget_Record_Item_TitleBar::buildWidgets()
{
    setObjectName(QStringLiteral("Widget_Record_Item_TitleBar"));
    resize(270, 70);
    setMinimumSize(260, 70);
    setMaximumSize(270, 70);

    auto* horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 20, 0);

    m_pLabIcon = new QLabel(this);
    m_pLabIcon->setObjectName(QStringLiteral("m_pLabIcon"));
    m_pLabIcon->setMinimumSize(70, 50);
    m_pLabIcon->setMaximumSize(70, 70);
    // Stretched like a border image; a style sheet of its own would cost each
    // entry a style object and a parse, 30 to 70 ms more per 1000 entries.
    m_pLabIcon->setScaledContents(true);
    m_pLabIcon->setPixmap(QPixmap(QStringLiteral(":/icons/gray1/photo.png")));
    horizontalLayout->addWidget(m_pLabIcon);

    auto* verticalLayout = new QVBoxLayout;
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    // -1 keeps the default of the other three sides.
    verticalLayout->setContentsMargins(-1, -1, 0, -1);
    m_pLabFileName = new QLabel(this);
    m_pLabFileName->setObjectName(QStringLiteral("m_pLabFileName"));
    m_pLabFileLength = sizeLabel(this);
    m_pLabFileSize = sizeLabel(this);
    verticalLayout->addWidget(m_pLabFileName);
    verticalLayout->addWidget(m_pLabFileLength);
    verticalLayout->addWidget(m_pLabFileSize);
    horizontalLayout->addLayout(verticalLayout);

    m_pBtnDelete = new QToolButton(this);
    m_pBtnDelete->setFixedSize(22, 22);
    m_pBtnDelete->setObjectName(QStringLiteral("BtnDelete"));
    horizontalLayout->addWidget(m_pBtnDelete);
}

void Widget_Record_Item_TitleBar::showTexts()
{
    setToolTip(m_fileName);
    m_pLabFileName->setText(PlayListText::shortName(m_fileName));
    const qint64 bytes = QFileInfo(m_fullPath).size();
    m_pLabFileSize->setText(PlayListText::FormatFileSize(bytes > 0 ? static_cast<quint64>(bytes) : 0U));
}

void Widget_Record_Item_TitleBar::setLength(qint64 seconds)
{
    const bool wasInvalid = m_fileInvalid;
    m_lengthKnown = true;
    m_fileInvalid = seconds < 0;
    if (m_fileInvalid) {
        m_totalLength.clear();
        m_pLabFileLength->setStyleSheet(QStringLiteral("color:rgb(255, 0, 0);"));
        m_pLabFileLength->setText(Model_Language::Text(kInvalidFileText));
        update();
        return;
    }
    if (wasInvalid)
        m_pLabFileLength->setStyleSheet(QString());
    m_totalLength = PlayListText::LengthText(0, seconds * 1000000);
    showPlayProgress();
}

void Widget_Record_Item_TitleBar::setSelected(bool selected)
{
    setProperty("selected", selected);
    style()->unpolish(this);
    style()->polish(this);
    update();
}

bool Widget_Record_Item_TitleBar::isSelected() const
{
    return property("selected").toBool();
}

void Widget_Record_Item_TitleBar::showPlayProgress()
{
    if (m_fileInvalid)
        return;
    // Until the length is known there is no total to show a position against.
    m_pLabFileLength->setText(m_lengthKnown ? PlayListText::progressText(m_playTimes, m_totalLength)
                                            : PlayListText::furthestPlayTime(m_playTimes));
    // The refresh reaches every entry twice a second; only those with a bar
    // to draw or to take away need a repaint of their own.
    const bool playing = !m_playTimes.isEmpty();
    if (playing || m_barShown)
        update();
    m_barShown = playing;
}

void Widget_Record_Item_TitleBar::itemClickedResponse(QListWidgetItem* item)
{
    Q_UNUSED(item)
}

void Widget_Record_Item_TitleBar::OnDeleteBtnClicked()
{
    emit deleteRequested(m_index);
}

void Widget_Record_Item_TitleBar::mousePressEvent(QMouseEvent* event)
{
    setSelected(true);
    emit selectRequested(m_index);
    if (event->button() != Qt::LeftButton) {
        // A right press goes on to the list, which then knows the menu is for an entry.
        event->ignore();
        return;
    }
    m_dragStart = event->position().toPoint();
    event->accept();
}

void Widget_Record_Item_TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) != 0
        && (event->position().toPoint() - m_dragStart).manhattanLength() >= QApplication::startDragDistance())
        startDrag();
    event->ignore();
}

void Widget_Record_Item_TitleBar::startDrag()
{
    auto* mime = new QMimeData;
    mime->setText(m_fullPath);
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // Taken now rather than when the entry was added: grabbing a thousand new
    // entries at once would hold up the window for seconds.
    drag->setPixmap(grab());
    drag->setHotSpot(kDragHotSpot);
    drag->exec(Qt::MoveAction);
}

void Widget_Record_Item_TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(m_index);
    else
        QFrame::mouseDoubleClickEvent(event);
}

void Widget_Record_Item_TitleBar::enterEvent(QEnterEvent* event)
{
    // Most entries are never hovered; they skip the button's style sheet.
    if (m_pBtnDelete->styleSheet().isEmpty())
        m_pBtnDelete->setStyleSheet(QStringLiteral("background-image:url(:/icons/gray1/close.png);"));
    m_pBtnDelete->show();
    QFrame::enterEvent(event);
}

void Widget_Record_Item_TitleBar::leaveEvent(QEvent* event)
{
    m_pBtnDelete->hide();
    QFrame::leaveEvent(event);
}

void Widget_Record_Item_TitleBar::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_playTimes.isEmpty())
        return;
    const std::optional<int> shortening =
        PlayListText::progressBarShortening(PlayListText::furthestPlayTime(m_playTimes), m_totalLength);
    if (!shortening)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // QPixmap keeps loaded files in its cache, so each paint does not decode the picture again.
    painter.drawPixmap(QRect(0, 0, width() - *shortening, height()), QPixmap(progressPicture()));
}

#include "MainWindowForm.h"

#include "CustomWidget.h"
#include "RecordFileItems.h"
#include "RecordPlayList.h"
#include "Slider.h"
#include "Widget_Timeline.h"
#include "Widget_TitleBar.h"
#include "Widget_Welcome.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* fixedButton(QWidget* parent, const char* name, int width, int height)
{
    auto* button = named(new QToolButton(parent), name);
    button->setFixedSize(width, height);
    return button;
}

QSpacerItem* expanding()
{
    return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

void styledPanel(QFrame* frame)
{
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
}

}

void MainWindowForm::setupUi(QFrame* window)
{
    window->setObjectName(QStringLiteral("window_main"));
    window->resize(959, 581);
    window->setMinimumSize(959, 581);
    styledPanel(window);
    window->setWindowTitle(QCoreApplication::translate("window_main", "Frame"));

    auto* outer = named(new QVBoxLayout(window), "verticalLayout_4");
    outer->setSpacing(0);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* rows = named(new QVBoxLayout, "verticalLayout_3");
    rows->setSpacing(0);
    outer->addLayout(rows);

    m_pTitleBar = named(new Widget_TitleBar(window), "m_pTitleBar");
    m_pTitleBar->setMinimumSize(914, 30);
    styledPanel(m_pTitleBar);
    rows->addWidget(m_pTitleBar);
    rows->addLayout(buildTopRow(window));

    auto* columns = named(new QHBoxLayout, "horizontalLayout_6");
    auto* left = named(new QVBoxLayout, "verticalLayout_2");
    left->addWidget(buildLeftColumn(window));
    left->addWidget(m_pScrollArea);
    columns->addLayout(left);
    columns->addLayout(buildRightColumn(window));
    rows->addLayout(columns);
    stackedWidget->setCurrentIndex(0);
}

QHBoxLayout* MainWindowForm::buildTopRow(QFrame* window)
{
    auto* row = named(new QHBoxLayout, "horizontalLayout_5");
    m_pFrameLeft = named(new QFrame(window), "m_pFrameLeft");
    m_pFrameLeft->setFixedSize(270, 45);
    styledPanel(m_pFrameLeft);
    auto* leftRow = named(new QHBoxLayout(m_pFrameLeft), "horizontalLayout_4");
    leftRow->setContentsMargins(10, 0, 0, 0);
    m_pLabPlayList = named(new QLabel(m_pFrameLeft), "m_pLabPlayList");
    leftRow->addWidget(m_pLabPlayList);
    leftRow->addItem(expanding());
    m_pBtnOpenFile = fixedButton(m_pFrameLeft, "m_pBtnOpenFile", 26, 26);
    m_pBtnClearList = fixedButton(m_pFrameLeft, "m_pBtnClearList", 26, 26);
    m_pBtnPlayMode = fixedButton(m_pFrameLeft, "m_pBtnPlayMode", 26, 26);
    m_pBtnSearch = fixedButton(m_pFrameLeft, "m_pBtnSearch", 45, 45);
    for (QToolButton* button : {m_pBtnOpenFile, m_pBtnClearList, m_pBtnPlayMode, m_pBtnSearch})
        leftRow->addWidget(button);

    m_pFrameRight = named(new QFrame(window), "m_pFrameRight");
    m_pFrameRight->setFixedHeight(45);
    m_pFrameRight->setMinimumWidth(0);
    styledPanel(m_pFrameRight);
    auto* rightRow = named(new QHBoxLayout(m_pFrameRight), "horizontalLayout_3");
    label = named(new QLabel(m_pFrameRight), "label");
    label->setFixedWidth(80);
    label_2 = named(new QLabel(m_pFrameRight), "label_2");
    label_2->setFixedWidth(350);
    rightRow->addWidget(label);
    rightRow->addWidget(label_2);
    rightRow->addItem(expanding());
    m_pBtnZoom = fixedButton(m_pFrameRight, "m_pBtnZoom", 26, 26);
    m_pBtnCapture = fixedButton(m_pFrameRight, "m_pBtnCapture", 26, 26);
    m_pBtnRecord = fixedButton(m_pFrameRight, "m_pBtnRecord", 26, 26);
    m_pBtnTopOrNot = fixedButton(m_pFrameRight, "m_pBtnTopOrNot", 28, 27);
    m_pBtnTopOrNot->setIconSize(QSize(28, 28));
    m_pBtnTopOrNot->setShortcut(QKeySequence(QCoreApplication::translate("window_main", "Ctrl+S")));
    m_pBtnFullScreen = fixedButton(m_pFrameRight, "m_pBtnFullScreen", 26, 26);
    m_pBtnFullScreen->setIconSize(QSize(26, 26));
    for (QToolButton* button : {m_pBtnZoom, m_pBtnCapture, m_pBtnRecord, m_pBtnTopOrNot, m_pBtnFullScreen})
        rightRow->addWidget(button);

    row->addWidget(m_pFrameLeft);
    row->addWidget(m_pFrameRight);
    return row;
}

QWidget* MainWindowForm::buildLeftColumn(QFrame* window)
{
    auto* search = named(new QFrame(window), "m_pSearchWidget");
    search->setFixedSize(270, 80);
    search->setFrameShape(QFrame::StyledPanel);
    m_pSearchWidget = search;
    auto* searchColumn = new QVBoxLayout(m_pSearchWidget);
    auto* captionRow = new QHBoxLayout;
    captionRow->setContentsMargins(20, 0, 0, 0);
    m_pLabSearch = named(new QLabel(m_pSearchWidget), "m_pLabSearch");
    m_pLabSearch->setMinimumSize(100, 20);
    m_pLabSearch->setMaximumHeight(20);
    m_pLabSearch->setAlignment(Qt::AlignCenter);
    captionRow->addWidget(m_pLabSearch);
    captionRow->addStretch();
    m_pEdtSearch = named(new QLineEdit(m_pSearchWidget), "m_pEdtSearch");
    m_pEdtSearch->setFixedHeight(25);
    searchColumn->addLayout(captionRow);
    searchColumn->addWidget(m_pEdtSearch);

    m_pScrollArea = named(new RecordPlayList(window), "m_pScrollArea");
    m_pScrollArea->setFixedWidth(270);
    m_pScrollArea->setMinimumHeight(400);
    m_pScrollArea->setFrameShape(QFrame::NoFrame);
    m_pScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents = named(new RecordFileItems, "scrollAreaWidgetContents");
    scrollAreaWidgetContents->setFixedWidth(270);
    m_pScrollArea->setWidget(scrollAreaWidgetContents);
    return m_pSearchWidget;
}

QVBoxLayout* MainWindowForm::buildRightColumn(QFrame* window)
{
    auto* column = named(new QVBoxLayout, "verticalLayout");
    stackedWidget = named(new QStackedWidget(window), "stackedWidget");
    stackedWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    stackedWidget->setAutoFillBackground(false);
    stackedWidget->setLineWidth(0);
    buildStartPage();
    column->addWidget(stackedWidget);
    m_pTimeline = new Widget_Timeline(window);
    column->addWidget(m_pTimeline);
    column->addLayout(buildTimeRow(window));
    column->addLayout(buildButtonRow(window));
    return column;
}

void MainWindowForm::buildStartPage()
{
    page_1 = named(new Widget_Welcome(stackedWidget), "page_1");
    auto* pageGrid = named(new QGridLayout(page_1), "gridLayout_2");
    pageGrid->setSpacing(0);
    pageGrid->setContentsMargins(0, 0, 0, 0);
    widget = named(new CustomWidget(page_1), "widget");
    widget->setMinimumSize(662, 417);
    pageGrid->addWidget(widget, 0, 0);

    auto* grid = named(new QGridLayout(widget), "gridLayout");
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    m_pBtnOpenFile_2 = fixedButton(widget, "m_pBtnOpenFile_2", 123, 42);
    m_pBtnOpenDir = fixedButton(widget, "m_pBtnOpenDir", 33, 42);
    m_pBtnOpenDir->setAutoRaise(false);
    grid->addItem(new QSpacerItem(20, 157, QSizePolicy::Minimum, QSizePolicy::Expanding), 0, 2);
    grid->addItem(expanding(), 1, 0, 1, 2);
    grid->addWidget(m_pBtnOpenFile_2, 1, 2);
    grid->addWidget(m_pBtnOpenDir, 1, 3);
    grid->addItem(expanding(), 1, 4);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 2, 2);
    grid->setRowStretch(0, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(4, 1);
    stackedWidget->addWidget(page_1);
}

QHBoxLayout* MainWindowForm::buildTimeRow(QFrame* window)
{
    auto* row = named(new QHBoxLayout, "horizontalLayout_2");
    row->setContentsMargins(5, 0, 5, 0);
    m_pLabCurrentTime = named(new QLabel(window), "m_pLabCurrentTime");
    m_pLabTotalTime = named(new QLabel(window), "m_pLabTotalTime");
    for (QLabel* time : {m_pLabCurrentTime, m_pLabTotalTime}) {
        time->setFixedHeight(20);
        time->setMaximumWidth(100);
    }
    m_pSlTime = named(new Slider(Qt::Horizontal, window), "m_pSlTime");
    m_pSlTime->setMinimumSize(500, 20);
    m_pSlTime->setFixedHeight(20);
    m_pSlTime->setMouseTracking(false);
    m_pSlTime->setSingleStep(1);
    m_pSlTime->setPageStep(1);
    m_pSlTime->setTracking(false);
    row->addWidget(m_pLabCurrentTime);
    row->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    row->addWidget(m_pSlTime, 1);
    row->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    row->addWidget(m_pLabTotalTime);
    return row;
}

QHBoxLayout* MainWindowForm::buildButtonRow(QFrame* window)
{
    auto* row = named(new QHBoxLayout, "horizontalLayout");
    row->setContentsMargins(0, 0, 10, 0);
    m_pBtnHideFile = fixedButton(window, "m_pBtnHideFile", 26, 26);
    m_pBtnOpenFile_3 = fixedButton(window, "m_pBtnOpenFile_3", 26, 26);
    row->addWidget(m_pBtnHideFile);
    row->addWidget(m_pBtnOpenFile_3);
    row->addItem(expanding());
    m_pBtnPlay = fixedButton(window, "m_pBtnPlay", 50, 50);
    row->addWidget(m_pBtnPlay);
    m_pBtnStop = fixedButton(window, "m_pBtnStop", 26, 26);
    m_pBtnSingleFrameFoward = fixedButton(window, "m_pBtnSingleFrameFoward", 26, 26);
    m_pBtnSlow = fixedButton(window, "m_pBtnSlow", 26, 26);
    m_pBtnFast = fixedButton(window, "m_pBtnFast", 26, 26);
    m_pBtnSync = fixedButton(window, "m_pBtnSync", 26, 26);
    m_pBtnBack = fixedButton(window, "m_pBtnBack", 26, 26);
    m_pBtnSingleFrameBack = fixedButton(window, "m_pBtnSingleFrameBack", 26, 26);
    m_pBtnMarkIn = fixedButton(window, "m_pBtnMarkIn", 26, 26);
    m_pBtnMarkOut = fixedButton(window, "m_pBtnMarkOut", 26, 26);
    m_pBtnSyncPlay = fixedButton(window, "m_pBtnSyncPlay", 26, 26);
    m_pBtnSyncPlay->setCheckable(true);
    for (QToolButton* button : {m_pBtnStop, m_pBtnSingleFrameFoward, m_pBtnSlow, m_pBtnFast, m_pBtnSync, m_pBtnBack,
                                m_pBtnSingleFrameBack, m_pBtnMarkIn, m_pBtnMarkOut, m_pBtnSyncPlay})
        row->addWidget(button);
    row->addItem(new QSpacerItem(40, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_pLabStatus = named(new QLabel(window), "m_pLabStatus");
    m_pLabStatus->setFixedSize(30, 30);
    QFont font = m_pLabStatus->font();
    font.setPointSize(20);
    m_pLabStatus->setFont(font);
    row->addWidget(m_pLabStatus);
    row->addItem(expanding());
    m_pBtnSound = fixedButton(window, "m_pBtnSound", 26, 26);
    m_pSlSound = named(new Slider(Qt::Horizontal, window), "m_pSlSound");
    m_pSlSound->setFixedSize(100, 20);
    m_pBtnChangeLayout = fixedButton(window, "m_pBtnChangeLayout", 26, 26);
    row->addWidget(m_pBtnSound);
    row->addWidget(m_pSlSound);
    row->addWidget(m_pBtnChangeLayout);
    row->setStretch(2, 1);
    row->setStretch(16, 1);
    return row;
}

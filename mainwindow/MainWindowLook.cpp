#include "MainWindowLook.h"

#include "ControlStates.h"
#include "CustomWidget.h"
#include "MainWindowForm.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "RecordPlayList.h"
#include "SyncTexts.h"
#include "Widget_TitleBar.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

namespace MainWindowLook {

namespace {

void sprite(QToolButton* button, const char* objectName, const QString& style)
{
    button->setObjectName(QString::fromLatin1(objectName));
    button->setStyleSheet(style);
}

void applyBrandColours(MainWindowForm& form, QFrame& window, const Model_Customize& customize)
{
    if (customize.isBrand(Model_Customize::VANTOREL)) {
        window.setStyleSheet(QStringLiteral("window_main{background-color: rgb(153, 155, 158);}"));
    } else if (customize.isBrand(Model_Customize::HOLDRA)) {
        window.setStyleSheet(QStringLiteral("window_main{background-color: rgb(173, 173, 173);}"));
    } else if (customize.isBrand(Model_Customize::HALCYRN)) {
        window.setStyleSheet(QStringLiteral("window_main{background-color: rgb(28, 29, 34);}"));
        form.m_pScrollArea->setStyleSheet(QStringLiteral("RecordPlayList{background-color: rgb(46, 51, 57);}"));
    } else if (customize.isBrand(Model_Customize::Quelm)) {
        window.setStyleSheet(QStringLiteral("window_main{background-color: rgb(207, 69, 0);}"));
    }
}

void checkable(QToolButton* button, bool checked)
{
    button->setCheckable(true);
    button->setChecked(checked);
}

}

QString stickPicture(int windowFlag)
{
    switch (windowFlag) {
    case 0:
        return ControlStates::picture("stick0");
    case 1:
        return ControlStates::picture("stick1");
    case 2:
        return ControlStates::picture("stick2");
    default:
        return {};
    }
}

void ApplyStyles(MainWindowForm& form, QFrame& window, const Model_Customize& customize)
{
    applyBrandColours(form, window, customize);
    form.m_pSearchWidget->setObjectName(QStringLiteral("SearchWidget"));
    form.m_pLabSearch->setObjectName(QStringLiteral("SearchLabel"));
    sprite(form.m_pBtnOpenFile, "ToolButton1", ControlStates::picture("add"));
    sprite(form.m_pBtnClearList, "ToolButton1", ControlStates::picture("clear"));
    sprite(form.m_pBtnPlayMode, "ToolButton1", ControlStates::picture("playMode"));
    sprite(form.m_pBtnStop, "ToolButton2", ControlStates::picture("stop"));
    sprite(form.m_pBtnSingleFrameBack, "ToolButton2", ControlStates::picture("singleBack"));
    sprite(form.m_pBtnSingleFrameFoward, "ToolButton2", ControlStates::picture("singleFoward"));
    sprite(form.m_pBtnFast, "ToolButton2", ControlStates::picture("fast"));
    sprite(form.m_pBtnSync, "ToolButton2", ControlStates::picture("playall"));
    sprite(form.m_pBtnBack, "ToolButton2", ControlStates::picture("stopall"));
    sprite(form.m_pBtnSlow, "ToolButton2", ControlStates::picture("slow"));
    sprite(form.m_pBtnMarkIn, "ToolButton2", ControlStates::picture("markIn"));
    sprite(form.m_pBtnMarkOut, "ToolButton2", ControlStates::picture("markOut"));
    form.m_pBtnSyncPlay->setStyleSheet(ControlStates::syncToggleSheet());
    form.m_pBtnSyncPlay->setText(QStringLiteral("SYNC"));
    sprite(form.m_pBtnFullScreen, "ToolButton2", ControlStates::picture("fullScreen"));
    sprite(form.m_pBtnCapture, "ToolButton2", ControlStates::picture("capture"));
    sprite(form.m_pBtnTopOrNot, "ToolButton2", stickPicture(customize.windowFlag()));
    sprite(form.m_pBtnChangeLayout, "ToolButton2", ControlStates::picture("layout"));
    sprite(form.m_pBtnOpenFile_3, "ToolButton2", ControlStates::picture("open"));
    sprite(form.m_pBtnSound, "ToolButton", ControlStates::picture("sound_off"));
    checkable(form.m_pBtnSound, false);
    sprite(form.m_pBtnHideFile, "ToolButton", ControlStates::picture("show") + u';');
    checkable(form.m_pBtnHideFile, true);
    sprite(form.m_pBtnZoom, "ToolButton3", ControlStates::picture("zoom") + u';');
    checkable(form.m_pBtnZoom, false);
    form.m_pBtnZoom->hide();
    sprite(form.m_pBtnRecord, "ToolButton3", ControlStates::picture("record") + u';');
    checkable(form.m_pBtnRecord, false);
    sprite(form.m_pBtnPlay, "PlayButton", ControlStates::picture("play"));
    checkable(form.m_pBtnPlay, false);
    sprite(form.m_pBtnSearch, "SearchBtn", ControlStates::picture("search"));
    checkable(form.m_pBtnSearch, false);
    sprite(form.m_pBtnOpenFile_2, "OpenFile", ControlStates::picture("openFile"));
    sprite(form.m_pBtnOpenDir, "OpenFile", ControlStates::picture("openDir"));
    form.widget->setStyleSheet(ControlStates::picture("background"));
    form.stackedWidget->setObjectName(QStringLiteral("mainStacedWidget"));
    form.m_pFrameLeft->setObjectName(QStringLiteral("FrameLeft"));
    form.m_pFrameRight->setObjectName(QStringLiteral("FrameRight"));
    if (!customize.isBrand(Model_Customize::DORVEX)) {
        form.m_pBtnBack->hide();
        form.m_pBtnSync->hide();
    }
}

void ApplyTexts(MainWindowForm& form, const Actions& actions, const Model_Customize& customize)
{
    const auto text = [](int index) { return Model_Language::Text(index); };
    form.label->setText(text(1));
    if (customize.isBrand(Model_Customize::HOLDRA)) {
        form.m_pLabPlayList->setObjectName(QStringLiteral("playListLable"));
        form.m_pLabPlayList->setStyleSheet(QStringLiteral("color:rgb(2, 31, 80)"));
    }
    form.m_pLabPlayList->setText(text(0));
    form.m_pLabSearch->setText(text(27));
    const std::pair<QAction*, int> actionTexts[] = {
        {actions.singlePlay, 28}, {actions.singleCircle, 30}, {actions.listPlay, 29},
        {actions.listCircle, 31}, {actions.openFile, 54},     {actions.openFolder, 74},
    };
    for (const auto& [action, index] : actionTexts) {
        if (action)
            action->setText(text(index));
    }
    form.m_pBtnOpenFile_2->setText(text(54));
    form.m_pEdtSearch->setPlaceholderText(text(55));
    const std::pair<QToolButton*, int> tips[] = {
        {form.m_pBtnOpenFile, 54}, {form.m_pBtnClearList, 71},         {form.m_pBtnPlayMode, 59},
        {form.m_pBtnSearch, 73},   {form.m_pBtnSlow, 68},              {form.m_pBtnSingleFrameFoward, 66},
        {form.m_pBtnPlay, 64},     {form.m_pBtnStop, 65},              {form.m_pBtnFast, 67},
        {form.m_pBtnChangeLayout, 61}, {form.m_pBtnMarkIn, 88},     {form.m_pBtnMarkOut, 89},
        {form.m_pBtnSingleFrameBack, 11}, {form.m_pBtnSyncPlay, SyncTexts::kSyncPlayback},
    };
    for (const auto& [button, index] : tips)
        button->setToolTip(text(index));
    form.m_pTitleBar->ApplyTexts();
}

}

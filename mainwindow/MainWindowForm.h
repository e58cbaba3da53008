#pragma once

class CustomWidget;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;
class RecordFileItems;
class RecordPlayList;
class Slider;
class Widget_Timeline;
class Widget_TitleBar;
class Widget_Welcome;

// The main window's widget tree: frames, labels, buttons and sliders with the
// object names, sizes and layouts that the look and the wiring rely on.
class MainWindowForm
{
public:
    // Builds the tree on window and shows the start page.
    void setupUi(QFrame* window);

    Widget_TitleBar* m_pTitleBar = nullptr;
    QFrame* m_pFrameLeft = nullptr;
    QLabel* m_pLabPlayList = nullptr;
    QToolButton* m_pBtnOpenFile = nullptr;
    QToolButton* m_pBtnClearList = nullptr;
    QToolButton* m_pBtnPlayMode = nullptr;
    QToolButton* m_pBtnSearch = nullptr;
    QFrame* m_pFrameRight = nullptr;
    QLabel* label = nullptr;
    QLabel* label_2 = nullptr;
    QToolButton* m_pBtnZoom = nullptr;
    QToolButton* m_pBtnCapture = nullptr;
    QToolButton* m_pBtnRecord = nullptr;
    QToolButton* m_pBtnTopOrNot = nullptr;
    QToolButton* m_pBtnFullScreen = nullptr;
    QWidget* m_pSearchWidget = nullptr;
    QLabel* m_pLabSearch = nullptr;
    QLineEdit* m_pEdtSearch = nullptr;
    RecordPlayList* m_pScrollArea = nullptr;
    RecordFileItems* scrollAreaWidgetContents = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    Widget_Welcome* page_1 = nullptr;
    CustomWidget* widget = nullptr;
    Widget_Timeline* m_pTimeline = nullptr;
    QToolButton* m_pBtnOpenFile_2 = nullptr;
    QToolButton* m_pBtnOpenDir = nullptr;
    QLabel* m_pLabCurrentTime = nullptr;
    Slider* m_pSlTime = nullptr;
    QLabel* m_pLabTotalTime = nullptr;
    QToolButton* m_pBtnHideFile = nullptr;
    QToolButton* m_pBtnOpenFile_3 = nullptr;
    QToolButton* m_pBtnPlay = nullptr;
    QToolButton* m_pBtnStop = nullptr;
    QToolButton* m_pBtnSingleFrameFoward = nullptr;
    QToolButton* m_pBtnSlow = nullptr;
    QToolButton* m_pBtnFast = nullptr;
    QToolButton* m_pBtnSync = nullptr;
    // Synchronised playback on or off; m_pBtnSync is "play all".
    QToolButton* m_pBtnSyncPlay = nullptr;
    QToolButton* m_pBtnBack = nullptr;
    QToolButton* m_pBtnSingleFrameBack = nullptr;
    QToolButton* m_pBtnMarkIn = nullptr;
    QToolButton* m_pBtnMarkOut = nullptr;
    QLabel* m_pLabStatus = nullptr;
    QToolButton* m_pBtnSound = nullptr;
    Slider* m_pSlSound = nullptr;
    QToolButton* m_pBtnChangeLayout = nullptr;

private:
    QHBoxLayout* buildTopRow(QFrame* window);
    QWidget* buildLeftColumn(QFrame* window);
    QVBoxLayout* buildRightColumn(QFrame* window);
    void buildStartPage();
    QHBoxLayout* buildTimeRow(QFrame* window);
    QHBoxLayout* buildButtonRow(QFrame* window);
};

#pragma once

#include "SettingsChoice.h"

#include <QFrame>
#include <QPoint>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// The settings window: stay-on-top mode, keeping the play list, the decoding
// and, on its second page, where snapshots go. It shows the stored settings
// each time it is loaded, writes them back on OK or Apply, passes the
// decoding choice, which is not stored, to the playback library through the
// player API, and then reports refreshSettings(), so that the main window
// applies them at once. The
// snapshot mode, interval and count are kept for the settings file but never
// shown. It can be dragged by any part that does not take the mouse itself.
class Widget_Settings : public QFrame
{
    Q_OBJECT

public:
    // Asks for a folder; an empty answer leaves the path as it is.
    using FolderChooser = std::function<QString()>;

    explicit Widget_Settings(QWidget* parent = nullptr);
    ~Widget_Settings() override;

    // Puts the stored settings into the controls; the decoding choice and
    // the current page stay as they are.
    void LoadSettings();
    // Re-reads the texts from the language table.
    void ApplyTexts();

    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }

    // The controls, for the style sheet and for tests.
    QStackedWidget* pages() const { return m_stackedWidget; }
    QToolButton* basicButton() const { return m_pBtnBasic; }
    QToolButton* captureButton() const { return m_pBtnCapture; }
    QToolButton* closeButton() const { return m_pBtnClose; }
    QRadioButton* onTopWhilePlaying() const { return m_pRadSOTWP; }
    QRadioButton* neverOnTop() const { return m_pRadNSOT; }
    QRadioButton* alwaysOnTop() const { return m_pRadSOT; }
    QCheckBox* saveFileBox() const { return m_pChkSaveFile; }
    QRadioButton* hardDecode() const { return m_pHardDecode; }
    QRadioButton* softDecode() const { return m_pSoftDecode; }
    QComboBox* formatBox() const { return m_pComFormat; }
    QComboBox* modeBox() const { return m_pComMode; }
    QLineEdit* pathEdit() const { return m_pEditPath; }
    QSpinBox* intervalBox() const { return m_pSpinInterval; }
    QSpinBox* numberBox() const { return m_pSpinNumber; }
    QPushButton* browseButton() const { return m_pBtnBrowse; }
    QPushButton* restoreButton() const { return m_pBtnRestore; }
    QPushButton* okButton() const { return m_pBtnOk; }
    QPushButton* cancelButton() const { return m_pBtnCancel; }
    QPushButton* applyButton() const { return m_pBtnApply; }

signals:
    void refreshSettings();

private slots:
    void OnBasicBtnClicked();
    void OnCaptureBtnClicked();
    void OnOkBtnClicked();
    void OnCancelBtnClicked();
    void OnApplyBtnClicked();
    void OnRestoreBtnClicked();
    void OnBrowseBtnClicked();
    void OnExitClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildForm();
    QWidget* buildTitleFrame();
    QWidget* buildBasicPage();
    QWidget* buildCapturePage();
    QLayout* buildButtonRow();
    void setFixedContents();
    void connectButtons();
    void showChoice(const SettingsChoice& choice);
    SettingsChoice shownChoice() const;

    QFrame* m_frame = nullptr;
    QLabel* m_pLabTitle = nullptr;
    QToolButton* m_pBtnClose = nullptr;
    QToolButton* m_pBtnBasic = nullptr;
    QToolButton* m_pBtnCapture = nullptr;
    QStackedWidget* m_stackedWidget = nullptr;
    QLabel* m_pLabStick = nullptr;
    QGroupBox* m_groupBox = nullptr;
    QRadioButton* m_pRadSOTWP = nullptr;
    QRadioButton* m_pRadNSOT = nullptr;
    QRadioButton* m_pRadSOT = nullptr;
    QCheckBox* m_pChkSaveFile = nullptr;
    QRadioButton* m_pHardDecode = nullptr;
    QRadioButton* m_pSoftDecode = nullptr;
    QButtonGroup* m_decodeGroup = nullptr;
    QLabel* m_pLabOutPutSet = nullptr;
    QLabel* m_pLabFormat = nullptr;
    QComboBox* m_pComFormat = nullptr;
    QLabel* m_pLabPath = nullptr;
    QLineEdit* m_pEditPath = nullptr;
    QPushButton* m_pBtnBrowse = nullptr;
    QLabel* m_pLabCaptureSet = nullptr;
    QLabel* m_pLabMode = nullptr;
    QComboBox* m_pComMode = nullptr;
    QLabel* m_pLabInterval = nullptr;
    QSpinBox* m_pSpinInterval = nullptr;
    QLabel* m_pLabSecond = nullptr;
    QLabel* m_pLabMaxCaptureNumber = nullptr;
    QSpinBox* m_pSpinNumber = nullptr;
    QPushButton* m_pBtnRestore = nullptr;
    QPushButton* m_pBtnOk = nullptr;
    QPushButton* m_pBtnCancel = nullptr;
    QPushButton* m_pBtnApply = nullptr;

    bool m_dragging = false;
    QPoint m_lastMousePos;
    QPoint m_curMousePos;
    FolderChooser m_chooseFolder;
};

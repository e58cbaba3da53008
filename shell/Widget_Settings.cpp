#include "Widget_Settings.h"

#include "Model_Customize.h"
#include "Model_Language.h"
#include "PlayerApi.h"
#include "WindowMoves.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 480;
constexpr int kTitleHeight = 125;
constexpr int kPagesHeight = 315;
constexpr int kFieldWidth = 150;
constexpr int kFieldHeight = 30;
constexpr int kLineHeight = 20;
constexpr int kButtonWidth = 80;

const QString kHeadingSheet = QStringLiteral("font-size:15px;font-weight:bold;color:rgb(65, 69, 100);");

QString pageButtonSheet(bool checked, const char* picture)
{
    return QStringLiteral("font-size:13px;font-weight:bold;color:%1;background-image:url(:/icons/gray1/%2.png);")
        .arg(checked ? QStringLiteral("rgb(255, 255, 255)") : QStringLiteral("rgb(40, 44, 75)"),
             QLatin1StringView(picture));
}

QString chooseFolderInDialog()
{
    QFileDialog dialog(nullptr, QString(), QString(), QString());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setWindowFlags(Qt::WindowStaysOnTopHint);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir(dialog.selectedFiles().constFirst()).absolutePath();
}

QLabel* fixedLabel(QWidget* parent, int width, int height)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(width, height);
    return label;
}

template <typename Field>
Field* fixedField(QWidget* parent)
{
    auto* field = new Field(parent);
    field->setFixedSize(kFieldWidth, kFieldHeight);
    return field;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets)
{
    auto* line = new QHBoxLayout;
    for (QWidget* widget : widgets)
        line->addWidget(widget);
    line->addStretch(1);
    return line;
}

}

Widget_Settings::Widget_Settings(QWidget* parent)
    : QFrame(parent)
    , m_chooseFolder(chooseFolderInDialog)
{
    buildForm();
    setFixedContents();
    LoadSettings();
    ApplyTexts();
    connectButtons();
}

Widget_Settings::~Widget_Settings() = default;

void Widget_Settings::buildForm()
{
    setFixedSize(kWidth, kHeight);
    auto* verticalLayout_2 = new QVBoxLayout(this);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setContentsMargins(0, 0, 0, 0);
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->addWidget(buildTitleFrame());
    m_stackedWidget = new QStackedWidget(this);
    m_stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    m_stackedWidget->setFixedSize(kWidth, kPagesHeight);
    m_stackedWidget->addWidget(buildBasicPage());
    m_stackedWidget->addWidget(buildCapturePage());
    verticalLayout_2->addWidget(m_stackedWidget);
    verticalLayout_2->addLayout(buildButtonRow());
}

QWidget* Widget_Settings::buildTitleFrame()
{
    m_frame = new QFrame(this);
    m_frame->setObjectName(QStringLiteral("frame"));
    m_frame->setFixedSize(kWidth, kTitleHeight);
    m_pLabTitle = new QLabel(m_frame);
    m_pBtnClose = new QToolButton(m_frame);
    m_pBtnClose->setFixedSize(26, 26);
    auto* horizontalLayout_9 = row({m_pLabTitle});
    horizontalLayout_9->setObjectName(QStringLiteral("horizontalLayout_9"));
    horizontalLayout_9->addWidget(m_pBtnClose);

    m_pBtnBasic = new QToolButton(m_frame);
    m_pBtnCapture = new QToolButton(m_frame);
    for (QToolButton* button : {m_pBtnBasic, m_pBtnCapture}) {
        button->setFixedSize(kButtonWidth, 100);
        button->setCheckable(true);
        button->setObjectName(QStringLiteral("SettingBtn"));
    }
    auto* horizontalLayout = row({m_pBtnBasic, m_pBtnCapture});
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));

    auto* column = new QVBoxLayout(m_frame);
    column->setContentsMargins(10, 0, 0, 0);
    column->addLayout(horizontalLayout_9);
    column->addLayout(horizontalLayout);
    return m_frame;
}

QWidget* Widget_Settings::buildBasicPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page"));
    m_pLabStick = fixedLabel(page, kFieldWidth, kLineHeight);
    m_groupBox = new QGroupBox(page);
    m_groupBox->setObjectName(QStringLiteral("groupBox"));
    auto* choices = new QVBoxLayout(m_groupBox);
    for (QRadioButton** radio : {&m_pRadSOTWP, &m_pRadNSOT, &m_pRadSOT}) {
        *radio = new QRadioButton(m_groupBox);
        (*radio)->setFixedHeight(kLineHeight);
        choices->addWidget(*radio);
    }
    m_pChkSaveFile = new QCheckBox(page);
    m_pChkSaveFile->setFixedHeight(kLineHeight);
    m_pHardDecode = new QRadioButton(page);
    m_pSoftDecode = new QRadioButton(page);
    m_decodeGroup = new QButtonGroup(page);
    m_decodeGroup->setExclusive(true);
    m_decodeGroup->addButton(m_pHardDecode, 0);
    m_decodeGroup->addButton(m_pSoftDecode, 1);

    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(30, 15, 30, 15);
    column->addWidget(m_pLabStick);
    column->addWidget(m_groupBox);
    column->addWidget(m_pChkSaveFile);
    for (QRadioButton* radio : {m_pHardDecode, m_pSoftDecode}) {
        radio->setFixedHeight(kLineHeight);
        column->addWidget(radio);
    }
    column->addStretch(1);
    return page;
}

QWidget* Widget_Settings::buildCapturePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("page_2"));
    m_pLabOutPutSet = fixedLabel(page, kFieldWidth, kLineHeight);
    m_pLabFormat = new QLabel(page);
    m_pComFormat = fixedField<QComboBox>(page);
    m_pLabPath = new QLabel(page);
    m_pEditPath = fixedField<QLineEdit>(page);
    m_pBtnBrowse = new QPushButton(page);
    m_pBtnBrowse->setFixedHeight(kFieldHeight);
    m_pBtnBrowse->setMinimumWidth(kButtonWidth);
    m_pLabCaptureSet = new QLabel(page);
    m_pLabMode = new QLabel(page);
    m_pComMode = fixedField<QComboBox>(page);
    m_pLabInterval = new QLabel(page);
    m_pSpinInterval = fixedField<QSpinBox>(page);
    m_pLabSecond = fixedLabel(page, kFieldWidth, kLineHeight);
    m_pLabMaxCaptureNumber = new QLabel(page);
    m_pSpinNumber = fixedField<QSpinBox>(page);

    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(30, 15, 30, 15);
    column->addWidget(m_pLabOutPutSet);
    column->addLayout(row({m_pLabFormat, m_pComFormat}));
    column->addLayout(row({m_pLabPath, m_pEditPath, m_pBtnBrowse}));
    column->addWidget(m_pLabCaptureSet);
    column->addLayout(row({m_pLabMode, m_pComMode}));
    column->addLayout(row({m_pLabInterval, m_pSpinInterval, m_pLabSecond}));
    column->addLayout(row({m_pLabMaxCaptureNumber, m_pSpinNumber}));
    column->addStretch(1);
    return page;
}

QLayout* Widget_Settings::buildButtonRow()
{
    auto* horizontalLayout_8 = new QHBoxLayout;
    horizontalLayout_8->setObjectName(QStringLiteral("horizontalLayout_8"));
    horizontalLayout_8->setContentsMargins(10, 0, 10, 0);
    horizontalLayout_8->addStretch(1);
    for (QPushButton** button : {&m_pBtnRestore, &m_pBtnOk, &m_pBtnCancel, &m_pBtnApply}) {
        *button = new QPushButton(this);
        (*button)->setFixedSize(kButtonWidth, kFieldHeight);
        horizontalLayout_8->addWidget(*button);
    }
    return horizontalLayout_8;
}

void Widget_Settings::setFixedContents()
{
    m_frame->setObjectName(QStringLiteral("TitleFrame"));
    m_pLabTitle->setObjectName(QStringLiteral("TitleLab"));
    m_pBtnClose->setObjectName(QStringLiteral("ToolButton0"));
    m_pBtnClose->setStyleSheet(QStringLiteral("background-image:url(:/icons/gray1/exit.png)"));
    m_pEditPath->setObjectName(QStringLiteral("PathEdit"));
    for (QPushButton* button : {m_pBtnBrowse, m_pBtnRestore, m_pBtnOk, m_pBtnCancel, m_pBtnApply})
        button->setObjectName(QStringLiteral("PushButton"));
    m_pLabStick->setStyleSheet(kHeadingSheet);
    m_pLabOutPutSet->setStyleSheet(kHeadingSheet);

    m_pComFormat->addItem(QStringLiteral("PNG"));
    m_pComMode->addItems({QStringLiteral("By Time"), QStringLiteral("By Frame")});
    m_pSpinInterval->setMinimum(1);
    m_pSpinNumber->setMinimum(1);
    for (QWidget* hidden : std::initializer_list<QWidget*>{m_pLabCaptureSet, m_pLabMode, m_pComMode, m_pLabInterval,
                                                          m_pSpinInterval, m_pLabSecond, m_pLabMaxCaptureNumber,
                                                          m_pSpinNumber})
        hidden->setVisible(false);
    OnBasicBtnClicked();
    m_pHardDecode->setChecked(true);
}

void Widget_Settings::connectButtons()
{
    connect(m_pBtnApply, &QPushButton::clicked, this, &Widget_Settings::OnApplyBtnClicked);
    connect(m_pBtnCancel, &QPushButton::clicked, this, &Widget_Settings::OnCancelBtnClicked);
    connect(m_pBtnOk, &QPushButton::clicked, this, &Widget_Settings::OnOkBtnClicked);
    connect(m_pBtnBasic, &QToolButton::clicked, this, &Widget_Settings::OnBasicBtnClicked);
    connect(m_pBtnCapture, &QToolButton::clicked, this, &Widget_Settings::OnCaptureBtnClicked);
    connect(m_pBtnRestore, &QPushButton::clicked, this, &Widget_Settings::OnRestoreBtnClicked);
    connect(m_pBtnBrowse, &QPushButton::clicked, this, &Widget_Settings::OnBrowseBtnClicked);
    connect(m_pBtnClose, &QToolButton::clicked, this, &Widget_Settings::OnExitClicked);
}

void Widget_Settings::ApplyTexts()
{
    const std::initializer_list<std::pair<QAbstractButton*, int>> buttons = {
        {m_pBtnBasic, 35},   {m_pRadSOTWP, 37},   {m_pRadNSOT, 38},  {m_pRadSOT, 39},
        {m_pChkSaveFile, 40}, {m_pBtnRestore, 41}, {m_pBtnOk, 42},    {m_pBtnCancel, 43},
        {m_pBtnApply, 44},   {m_pBtnCapture, 53}, {m_pBtnBrowse, 56}, {m_pHardDecode, 81},
        {m_pSoftDecode, 82}};
    for (const auto& [button, index] : buttons)
        button->setText(Model_Language::Text(index));
    const std::initializer_list<std::pair<QLabel*, int>> labels = {
        {m_pLabTitle, 33},     {m_pLabStick, 36},    {m_pLabOutPutSet, 45}, {m_pLabFormat, 46},
        {m_pLabPath, 47},      {m_pLabCaptureSet, 48}, {m_pLabMode, 49},     {m_pLabInterval, 50},
        {m_pLabSecond, 51},    {m_pLabMaxCaptureNumber, 52}};
    for (const auto& [label, index] : labels)
        label->setText(Model_Language::Text(index));
    // Names the window where window lists show it.
    setWindowTitle(Model_Language::Text(33));
}

void Widget_Settings::LoadSettings()
{
    showChoice(SettingsChoices::read(Model_Customize::instance()));
}

void Widget_Settings::showChoice(const SettingsChoice& choice)
{
    m_pEditPath->setText(choice.picturePath);
    m_pChkSaveFile->setChecked(choice.saveFile);
    QRadioButton* const onTop[] = {m_pRadSOTWP, m_pRadNSOT, m_pRadSOT};
    onTop[SettingsChoices::shownWindowFlag(choice.windowFlag)]->setChecked(true);
    m_pComFormat->setCurrentIndex(choice.captureFormat);
    m_pComMode->setCurrentIndex(choice.captureMode);
    m_pSpinInterval->setValue(choice.captureInterval);
    m_pSpinNumber->setValue(choice.captureNumber);
}

SettingsChoice Widget_Settings::shownChoice() const
{
    SettingsChoice choice;
    choice.windowFlag = m_pRadSOTWP->isChecked() ? 0 : m_pRadNSOT->isChecked() ? 1 : 2;
    choice.picturePath = m_pEditPath->text();
    choice.saveFile = m_pChkSaveFile->isChecked();
    choice.captureFormat = m_pComFormat->currentIndex();
    choice.captureMode = m_pComMode->currentIndex();
    choice.captureInterval = m_pSpinInterval->value();
    choice.captureNumber = m_pSpinNumber->value();
    return choice;
}

void Widget_Settings::OnApplyBtnClicked()
{
    SettingsChoices::write(Model_Customize::instance(), shownChoice());
    // Hard decoding gives the library back its usual limit, so that a switch
    // to soft and back takes effect without a restart.
    PlayerApi::SetMaxHardwareDecodeNumber(m_pSoftDecode->isChecked() ? 0 : PlayerApi::kDefaultHardwareDecodeNumber);
    emit refreshSettings();
}

void Widget_Settings::OnOkBtnClicked()
{
    OnApplyBtnClicked();
    hide();
}

void Widget_Settings::OnCancelBtnClicked()
{
    hide();
}

void Widget_Settings::OnExitClicked()
{
    hide();
}

void Widget_Settings::OnBasicBtnClicked()
{
    m_stackedWidget->setCurrentIndex(0);
    m_pBtnBasic->setChecked(true);
    m_pBtnBasic->setStyleSheet(pageButtonSheet(true, "basic"));
    m_pBtnCapture->setChecked(false);
    m_pBtnCapture->setStyleSheet(pageButtonSheet(false, "capture2"));
}

void Widget_Settings::OnCaptureBtnClicked()
{
    m_stackedWidget->setCurrentIndex(1);
    m_pBtnBasic->setChecked(false);
    m_pBtnBasic->setStyleSheet(pageButtonSheet(false, "basic"));
    m_pBtnCapture->setChecked(true);
    m_pBtnCapture->setStyleSheet(pageButtonSheet(true, "capture2"));
}

void Widget_Settings::OnRestoreBtnClicked()
{
    showChoice(SettingsChoices::defaults(Model_Customize::instance()));
}

void Widget_Settings::OnBrowseBtnClicked()
{
    const QString folder = m_chooseFolder ? m_chooseFolder() : QString();
    if (!folder.isEmpty())
        m_pEditPath->setText(folder);
}

void Widget_Settings::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_lastMousePos = event->globalPosition().toPoint();
        m_dragging = true;
    }
    event->ignore();
}

void Widget_Settings::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    event->ignore();
}

void Widget_Settings::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        m_curMousePos = event->globalPosition().toPoint();
        move(WindowMoves::movedPosition(pos(), m_curMousePos - m_lastMousePos, WindowMoves::availableUnderCursor()));
        m_lastMousePos = m_curMousePos;
    }
    event->ignore();
}

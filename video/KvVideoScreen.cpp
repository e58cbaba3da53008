#include "KvVideoScreen.h"

#include "Model_Customize.h"
#include "PreviewVideoFrame.h"
#include "SyncPlayback.h"
#include "VideoScreenMenu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const QString kSelectedStyle = QStringLiteral(".PreviewVideoFrame { border:2px solid rgb(230, 192, 19); }");
const QString kUnselectedStyle = QStringLiteral(".PreviewVideoFrame { border: 2px solid rgb(0, 0, 0); }");
const QString kClearedStyle =
    QStringLiteral("PreviewVideoFrame {background-color: rgb(78,76,87);border: 1px solid rgb(0, 0, 0);}");
constexpr int kControlBarHeight = 80;

}

KvVideoScreen::KvVideoScreen(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("KvVideoScreen"));
    setAttribute(Qt::WA_StyledBackground);
    // A click on any window gives the screen the keyboard, for Escape.
    setFocusPolicy(Qt::ClickFocus);
    m_controlBar = new QWidget(this);
    m_controlBar->setObjectName(QStringLiteral("ControlBar"));
    m_controlBar->setAttribute(Qt::WA_StyledBackground);
    m_controlBar->setFixedHeight(kControlBarHeight);
    m_controlBar->hide();
    createWindows();
    installGrid({m_windows[0]}, 1, -1);
    setSelectedVideo(m_windows[0]);

    m_menu = new VideoScreenMenu(Model_Customize::instance().isBrand(Model_Customize::TRIVOSK), this);
    connect(m_menu->stickMenu(), &QMenu::triggered, this, &KvVideoScreen::OnMenuStickTriggered);
    connect(m_menu->playModeMenu(), &QMenu::triggered, this, &KvVideoScreen::OnMenuPlayModeTriggered);
    connect(m_menu->layoutMenu(), &QMenu::triggered, this, &KvVideoScreen::OnMenuLayoutTriggered);
    m_sync = new SyncPlayback(QList<PreviewVideoFrame*>(m_windows.begin(), m_windows.end()), this);
    connect(m_menu->syncPlayback, &QAction::triggered, this, &KvVideoScreen::setSynced);
    connect(m_sync, &SyncPlayback::toggled, this, &KvVideoScreen::syncToggled);
}

bool KvVideoScreen::isSynced() const
{
    return m_sync->isOn();
}

void KvVideoScreen::setSynced(bool on)
{
    m_sync->setOn(on, m_selected);
}

KvVideoScreen::~KvVideoScreen()
{
    // Close the windows' files while the screen can still hear their stop
    // reports; the windows themselves go later, with the widget tree.
    for (PreviewVideoFrame* window : m_windows)
        window->stop();
}

void KvVideoScreen::createWindows()
{
    for (auto& window : m_windows) {
        window = new PreviewVideoFrame(this);
        window->setObjectName(QStringLiteral("PreviewVideoFrame"));
        window->installEventFilter(this);
        window->hide();
        connect(window, qOverload<const QString&>(&PreviewVideoFrame::dropFileToScreen), this,
                &KvVideoScreen::DropFileToVideoScreen);
        connect(window, qOverload<QObject*>(&PreviewVideoFrame::dropFileToScreen), this,
                &KvVideoScreen::OnDropFileToScreen);
        connect(window, &PreviewVideoFrame::PlayOrStopSignal, this, &KvVideoScreen::OnPlayOrStop);
    }
}

// spacing -1 is the first layout's: no space between columns, one pixel
// between rows.
void KvVideoScreen::installGrid(const QList<PreviewVideoFrame*>& shown, int columns, int spacing)
{
    for (PreviewVideoFrame* window : m_windows)
        window->hide();
    delete layout();

    auto* grid = new QGridLayout;
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setHorizontalSpacing(spacing < 0 ? 0 : spacing);
    grid->setVerticalSpacing(spacing < 0 ? 1 : spacing);
    for (int i = 0; i < shown.size(); ++i)
        grid->addWidget(shown[i], i / columns, i % columns);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addLayout(grid);
    box->addWidget(m_controlBar);
    for (PreviewVideoFrame* window : shown)
        window->show();
    update();
}

void KvVideoScreen::setControlBar(QWidget* bar)
{
    if (!bar || bar == m_controlBar)
        return;
    delete m_controlBar;
    m_controlBar = bar;
    bar->setParent(this);
    bar->setFixedHeight(kControlBarHeight);
    bar->hide();
    if (m_singleWindow && m_selected)
        installGrid({m_selected}, 1, 2);
    else
        setLayout(m_layout);
}

void KvVideoScreen::setLayout(int n)
{
    if (n < 1 || n > 4)
        return;
    QList<PreviewVideoFrame*> shown;
    for (int i = 0; i < n * n; ++i)
        shown.append(m_windows[static_cast<size_t>(i)]);
    installGrid(shown, n, 2);
    m_layout = n;
}

void KvVideoScreen::singleWindowToggle()
{
    if (m_layout == 1)
        return;
    if (m_singleWindow) {
        setLayout(m_layout);
        m_singleWindow = false;
    } else if (m_selected) {
        installGrid({m_selected}, 1, 2);
        m_singleWindow = true;
    }
}

void KvVideoScreen::setSelectedVideo(PreviewVideoFrame* window)
{
    if (!window) {
        if (m_selected)
            m_selected->setStyleSheet(kClearedStyle);
        m_selected = nullptr;
        return;
    }
    if (window == m_selected) {
        emit curVideoStatusChanged(window);
        return;
    }
    if (m_selected)
        m_selected->setStyleSheet(kUnselectedStyle);
    m_selected = window;
    window->setStyleSheet(kSelectedStyle);
    for (PreviewVideoFrame* other : m_windows) {
        if (other->isSoundWanted())
            other->selectionSound(false);
    }
    window->selectionSound(window->isSoundWanted());
    emit curVideoStatusChanged(window);
}

void KvVideoScreen::OnPlayOrStop(int i)
{
    m_playing += i;
    emit NoVideoIsPlaying(m_playing);
    emit curVideoStatusChanged(m_selected);
}

void KvVideoScreen::OnDropFileToScreen(QObject* window)
{
    setSelectedVideo(qobject_cast<PreviewVideoFrame*>(window));
}

void KvVideoScreen::OnMenuStickTriggered(QAction* action)
{
    const int stick = m_menu->stickOf(action);
    if (stick >= 0)
        Model_Customize::instance().setWindowFlag(stick);
    emit ChangeWindowFlags();
}

void KvVideoScreen::OnMenuPlayModeTriggered(QAction* action)
{
    emit PlayModeChanged(m_menu->playModeOf(action));
}

void KvVideoScreen::OnMenuLayoutTriggered(QAction* action)
{
    const int n = m_menu->layoutOf(action);
    if (n > 0)
        setLayout(n);
}

bool KvVideoScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && m_fullScreen && m_controlBar->isHidden()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget)))
            m_controlBar->show();
    }
    auto* window = qobject_cast<PreviewVideoFrame*>(watched);
    if (window && event->type() == QEvent::MouseButtonPress) {
        setSelectedVideo(window);
    } else if (window && event->type() == QEvent::MouseButtonDblClick &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (m_layout == 1)
            fullScreenToggle();
        else
            singleWindowToggle();
    }
    return QWidget::eventFilter(watched, event);
}

void KvVideoScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        fullScreenToggle();
    event->ignore();
}

void KvVideoScreen::mouseMoveEvent(QMouseEvent* event)
{
    if (m_fullScreen && m_controlBar->isHidden())
        m_controlBar->show();
    QWidget::mouseMoveEvent(event);
}

void KvVideoScreen::contextMenuEvent(QContextMenuEvent* event)
{
    const Model_Customize& customize = Model_Customize::instance();
    VideoScreenMenu::State state;
    state.selectedPlays = isSelectedPlaying();
    state.selectedRecords = m_selected && m_selected->isRecording();
    state.selectedZooms = m_selected && m_selected->isZoomMode();
    state.windowFlag = customize.windowFlag();
    state.playMode = customize.playMode();
    state.layout = m_layout;
    state.synced = isSynced();
    m_menu->update(state);
    m_menu->menu()->popup(event->globalPos());
}

void KvVideoScreen::retranslate()
{
    m_menu->retranslate();
}

#include "window_main.h"

#include "Diagnostics.h"
#include "KvVideoScreen.h"
#include "Model_Language.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kStartupDelayMs = 500;
constexpr int kPlayListHeadingText = 0;
constexpr int kVideoPage = 1;

}

window_main::window_main(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("window_main"));
    setWindowTitle(QStringLiteral("KvPlayer"));
    resize(1000, 640);

    auto* layout = new QVBoxLayout(this);
    m_pTitleLabel = new QLabel(QStringLiteral("KvPlayer"), this);
    m_pTitleLabel->setObjectName(QStringLiteral("TitleLabel"));
    m_pListHeading = new QLabel(this);
    m_pStack = new QStackedWidget(this);
    m_pStack->setObjectName(QStringLiteral("mainStacedWidget"));
    m_pStack->addWidget(new QWidget(m_pStack));
    m_pVideoScreen = new KvVideoScreen(m_pStack);
    m_pStack->addWidget(m_pVideoScreen);
    layout->addWidget(m_pTitleLabel);
    layout->addWidget(m_pListHeading);
    layout->addWidget(m_pStack, 1);
    ApplyTexts();
}

window_main::~window_main()
{
    delete m_startupTimer;
}

void window_main::ApplyTexts()
{
    m_pListHeading->setText(Model_Language::Text(kPlayListHeadingText));
    m_pVideoScreen->retranslate();
}

void window_main::LoadRecordFiles()
{
}

void window_main::SetStartupFile(const QString& file)
{
    if (file.isEmpty())
        return;
    m_startupFile = file;
    m_startupTimer = new QTimer;
    m_startupTimer->setInterval(kStartupDelayMs);
    m_startupTimer->setSingleShot(true);
    connect(m_startupTimer, &QTimer::timeout, this, &window_main::OnVideoPlayTimerOut);
    m_startupTimer->start();
}

void window_main::OnVideoPlayTimerOut()
{
    playFile(m_startupFile);
}

void window_main::handleMessage(const QString& text)
{
    KV_DIAG() << "file = " << text;
    if (text.isEmpty())
        return;
    playFile(text);
}

void window_main::playFile(const QString& file)
{
    m_pStack->setCurrentIndex(kVideoPage);
    m_pVideoScreen->setLayout(1);
    m_pVideoScreen->playInSelected(file);
}

#include "window_main.h"

#include "Diagnostics.h"
#include "Model_Language.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kStartupDelayMs = 500;
constexpr int kPlayListHeadingText = 0;

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
    m_pOpenedFile = new QLabel(this);
    layout->addWidget(m_pTitleLabel);
    layout->addWidget(m_pListHeading);
    layout->addWidget(m_pOpenedFile);
    layout->addStretch();
    ApplyTexts();
}

window_main::~window_main()
{
    delete m_startupTimer;
}

void window_main::ApplyTexts()
{
    m_pListHeading->setText(Model_Language::Text(kPlayListHeadingText));
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
    openFile(m_startupFile);
}

void window_main::handleMessage(const QString& text)
{
    KV_DIAG() << "file = " << text;
    if (text.isEmpty())
        return;
    openFile(text);
}

void window_main::openFile(const QString& file)
{
    m_pOpenedFile->setText(file);
}

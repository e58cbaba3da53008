#include "SyncControls.h"

#include "KvVideoScreen.h"
#include "Model_Language.h"
#include "SyncPlayback.h"
#include "SyncTexts.h"
#include "UserSettings.h"

#include <QAbstractButton>

const char* const SyncControls::kSettingsKey = "playback/synchronised";

SyncControls::SyncControls(KvVideoScreen& screen, QAbstractButton& rowButton, QObject* parent)
    : QObject(parent)
    , m_screen(screen)
    , m_rowButton(rowButton)
{
    connect(&m_rowButton, &QAbstractButton::clicked, this, &SyncControls::toggle);
    connect(&m_screen, &KvVideoScreen::syncToggled, this, &SyncControls::show);
}

void SyncControls::setBarButton(QAbstractButton* button)
{
    m_barButton = button;
    retranslate();
    show(m_screen.isSynced());
}

void SyncControls::restore()
{
    if (UserSettings::settings().value(QLatin1String(kSettingsKey), false).toBool())
        toggle(true);
}

void SyncControls::retranslate()
{
    const QString tip = Model_Language::Text(SyncTexts::kSyncPlayback);
    m_rowButton.setToolTip(tip);
    if (m_barButton)
        m_barButton->setToolTip(tip);
}

void SyncControls::toggle(bool on)
{
    m_screen.setSynced(on);
    // A toggle that could not switch (no library) falls back to what is.
    show(m_screen.isSynced());
}

void SyncControls::seekAll(qint64 recordingTimeUs)
{
    if (recordingTimeUs > 0 && m_screen.isSynced())
        m_screen.sync()->seekTo(static_cast<uint64_t>(recordingTimeUs));
}

void SyncControls::show(bool on)
{
    m_rowButton.setChecked(on);
    if (m_barButton)
        m_barButton->setChecked(on);
    const QString key = QLatin1String(kSettingsKey);
    if (UserSettings::settings().value(key, false).toBool() != on)
        UserSettings::settings().setValue(key, on);
    emit syncShown(on);
}

#include "Startup.h"

#include "Diagnostics.h"
#include "FileTypeRegistration.h"
#include "KvSingleApplication.h"
#include "KvVideoScreen.h"
#include "LanguageSelection.h"
#include "Model_Customize.h"
#include "Model_Language.h"
#include "PlayerApi.h"
#include "ProgramInfo.h"
#include "StartupRules.h"
#include "ToolkitTranslation.h"
#include "UserSettings.h"
#include "window_main.h"

#include <QFile>
#include <QSettings>
#include <QTextStream>
#include <QThreadPool>
#include <QTranslator>

#include <cstdio>

Startup::Startup(KvSingleApplication& app)
    : m_app(app)
    , m_programDir(ProgramInfo::programDir())
{
}

Startup::~Startup() = default;

int Startup::prepare(const QString& startupFile)
{
    installStyleSheet();
    PlayerApi::StartLibrary();
    identifyBrand();
    if (!ensureUserSettings())
        return -1;
    loadLanguage();
    createMainWindow(startupFile);
    return 0;
}

void Startup::installStyleSheet()
{
    QFile file(QStringLiteral(":/qss/gray1/Zandrix_gray1.qss"));
    QString sheet;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        sheet = QTextStream(&file).readAll();
    m_app.setStyleSheet(sheet);
}

void Startup::identifyBrand()
{
    const QString baseName = ProgramInfo::programBaseName();
    m_programSettings = std::make_unique<QSettings>(m_programDir + QStringLiteral("/default.ini"),
                                                    QSettings::IniFormat);
    const QString company =
        m_programSettings->value(QStringLiteral("function-customize/company_name"), QStringLiteral("zandrix"))
            .toString();
    UserSettings::configure(company, ProgramInfo::settingsApplicationNameOf(baseName));
    Model_Customize& customize = Model_Customize::instance();
    const QString version =
        m_programSettings->value(QStringLiteral("function-customize/version"), QStringLiteral("1.0.0")).toString();
    const bool alarm = m_programSettings->value(QStringLiteral("function-customize/AlarmSound"), false).toBool();
    customize.identifyBrand(company, version, alarm);
}

bool Startup::ensureUserSettings()
{
    QString error;
    if (!StartupRules::seedUserSettings(UserSettings::fileName(), m_programSettings->fileName(), &error)) {
        std::fprintf(stderr, "KvPlayer: cannot start: %s\n", qUtf8Printable(error));
        return false;
    }
    UserSettings::sync();
    return true;
}

void Startup::loadLanguage()
{
    const Model_Customize& customize = Model_Customize::instance();
    const LanguageSelection::StartupFiles files =
        LanguageSelection::startupFiles(customize.languageCurrent(), customize);
    m_translator = std::make_unique<QTranslator>();
    if (!files.translator.isEmpty()) {
        const QString path = ToolkitTranslation::locate(files.translator, ToolkitTranslation::folders(m_programDir));
        if (!m_translator->load(path))
            KV_DIAG() << "translation not loaded = " << path;
        if (customize.languageCurrent() == 8)
            KV_DIAG() << "PATH = " << path;
    }
    QCoreApplication::installTranslator(m_translator.get());
    Model_Language::setFallbackPath(m_programDir + QStringLiteral("/Language/ENU.xml"));
    Model_Language::Load(m_programDir + files.xml);
}

void Startup::createMainWindow(const QString& startupFile)
{
    m_window = std::make_unique<window_main>();
    if (const auto flags = StartupRules::windowFlagsFor(Model_Customize::instance().windowFlag()))
        m_window->setWindowFlags(*flags);
    m_window->LoadRecordFiles();
    FileTypeRegistration::registerQzip();
    m_window->SetStartupFile(startupFile);
    m_window->show();
    QObject::connect(&m_app, &KvSingleApplication::messageReceived, m_window.get(), &window_main::handleMessage);
    // Closing the main window ends the program even while another window of
    // ours is still up (the full-screen screen settling back, a dialog): the
    // toolkit would wait for the last of them to close, and a hidden one never does.
    QObject::connect(m_window.get(), &window_main::closed, &m_app, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Startup::shutdown(int loopResult)
{
    // However the loop ended (a close, a signal), every window stops first,
    // so a clip recording is ended and handed to the library's writer; then
    // snapshots in flight finish, and the release waits for every clip.
    KV_DIAG() << "event loop ended";
    if (m_window)
        m_window->videoScreen()->stopAll();
    KV_DIAG() << "windows stopped";
    QThreadPool::globalInstance()->waitForDone();
    KV_DIAG() << "background work done";
    PlayerApi::ReleaseLibrary();
    Model_Language::Destroy();
    KV_DIAG() << "window close~~~~~~~~result = " << loopResult;
    m_window.reset();
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator.reset();
    m_programSettings.reset();
}

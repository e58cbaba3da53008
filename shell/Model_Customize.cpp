#include "Model_Customize.h"

#include "Diagnostics.h"
#include "ProcessWide.h"
#include "ProgramInfo.h"
#include "UserSettings.h"

#include <QDir>

#include <atomic>

namespace {

std::atomic<Model_Customize*> g_customize{nullptr};

const char16_t* const kBrandNames[Model_Customize::BrandCount] = {
    u"Nimbrel", u"TALVIK", u"SKARVEN", u"HOLDRA", u"PELMARK", u"VANTOREL",
    u"DORVEX", u"HALCYRN", u"TRIVOSK", u"Quelm", u"ORBENTA",
};

QString makeFolder(const QString& parent, const QString& name)
{
    const QString path = QDir(parent).filePath(name);
    if (!QDir(path).exists())
        QDir(parent).mkdir(name);
    return path;
}

QString makeBaseFolder(const QString& homePath, const QString& baseName)
{
    const QString base = QDir(homePath).filePath(baseName);
    KV_DIAG() << "\nbasePath = " << base;
    makeFolder(homePath, baseName);
    return base;
}

}

Model_Customize& Model_Customize::instance()
{
    const auto create = [] {
        return new Model_Customize(UserSettings::settings(), QDir::homePath(), ProgramInfo::programBaseName());
    };
    return publishOnce(g_customize, create, &Model_Customize::release);
}

void Model_Customize::release()
{
    delete g_customize.exchange(nullptr, std::memory_order_acq_rel);
}

Model_Customize::Model_Customize(QSettings& settings, const QString& homePath, const QString& baseName)
    : m_settings(settings)
    , m_basePath(makeBaseFolder(homePath, baseName))
    , m_languageMask(QStringLiteral("function-customize/LanguageMask"), 0U)
    , m_languageCurrent(QStringLiteral("function-customize/LanguageCurrent"), 0U)
    , m_windowFlag(QStringLiteral("function-customize/WindowFlag"), 0)
    , m_playMode(QStringLiteral("function-customize/PlayMode"), 0)
    , m_saveFileFlag(QStringLiteral("function-customize/SaveFileFlag"), 0)
    , m_captureFormat(QStringLiteral("function-customize/CaptureFormat"), 0)
    , m_captureMode(QStringLiteral("function-customize/CaptureMode"), 0)
    , m_captureInterval(QStringLiteral("function-customize/CaptureInterval"), 0)
    , m_captureNumber(QStringLiteral("function-customize/CaptureNumber"), 0)
    , m_picture(QStringLiteral("file/picture"), makeFolder(m_basePath, QStringLiteral("picture")))
    , m_video(QStringLiteral("file/video"), makeFolder(m_basePath, QStringLiteral("video")))
{
}

QString Model_Customize::brandName(Brand brand)
{
    return QString::fromUtf16(kBrandNames[brand]);
}

void Model_Customize::identifyBrand(const QString& companyName, const QString& version, bool alarmSound)
{
    m_brands.fill(false);
    for (int i = 0; i < BrandCount; ++i) {
        if (QString::compare(companyName, brandName(static_cast<Brand>(i)), Qt::CaseSensitive) == 0) {
            m_brands[static_cast<size_t>(i)] = true;
            break;
        }
    }
    m_companyName = companyName;
    m_version = version;
    m_alarmSound = alarmSound;
    KV_DIAG() << "int " << alarmSound << ' ' << version << ' ' << companyName;
}

bool Model_Customize::isBrand(Brand brand) const
{
    return brand >= 0 && brand < BrandCount && m_brands[static_cast<size_t>(brand)];
}

QStringList Model_Customize::dropExtensions() const
{
    if (isBrand(HOLDRA))
        return {QStringLiteral(".Qzip"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4")};
    if (isBrand(PELMARK))
        return {QStringLiteral(".lf"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4"),
                QStringLiteral(".rf")};
    if (isBrand(ORBENTA))
        return {QStringLiteral(".UAF"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4"),
                QStringLiteral(".rf")};
    return {QStringLiteral(".rf"), QStringLiteral(".264"), QStringLiteral(".avi"), QStringLiteral(".mp4")};
}

unsigned Model_Customize::languageMask() const { return m_languageMask.read(m_settings); }
unsigned Model_Customize::languageCurrent() const { return m_languageCurrent.read(m_settings); }
void Model_Customize::setLanguageCurrent(unsigned value) { m_languageCurrent.write(m_settings, value); }
int Model_Customize::windowFlag() const { return m_windowFlag.read(m_settings); }
void Model_Customize::setWindowFlag(int value) { m_windowFlag.write(m_settings, value); }
int Model_Customize::playMode() const { return m_playMode.read(m_settings); }
void Model_Customize::setPlayMode(int value) { m_playMode.write(m_settings, value); }
int Model_Customize::saveFileFlag() const { return m_saveFileFlag.read(m_settings); }
void Model_Customize::setSaveFileFlag(int value) { m_saveFileFlag.write(m_settings, value); }
int Model_Customize::captureFormat() const { return m_captureFormat.read(m_settings); }
void Model_Customize::setCaptureFormat(int value) { m_captureFormat.write(m_settings, value); }
int Model_Customize::captureMode() const { return m_captureMode.read(m_settings); }
void Model_Customize::setCaptureMode(int value) { m_captureMode.write(m_settings, value); }
int Model_Customize::captureInterval() const { return m_captureInterval.read(m_settings); }
void Model_Customize::setCaptureInterval(int value) { m_captureInterval.write(m_settings, value); }
int Model_Customize::captureNumber() const { return m_captureNumber.read(m_settings); }
void Model_Customize::setCaptureNumber(int value) { m_captureNumber.write(m_settings, value); }
QString Model_Customize::picturePath() const { return m_picture.read(m_settings); }
void Model_Customize::setPicturePath(const QString& path) { m_picture.write(m_settings, path); }
QString Model_Customize::videoPath() const { return m_video.read(m_settings); }
void Model_Customize::setVideoPath(const QString& path) { m_video.write(m_settings, path); }

#pragma once

#include "CustomizeItem.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <array>

// The player's persistent settings and brand identity. Every read goes to the
// settings object, nothing is cached, so a value written anywhere is seen by the
// next read everywhere.
class Model_Customize
{
public:
    // Known brands, in the order the company name is compared with them.
    enum Brand {
        Nimbrel,
        TALVIK,
        SKARVEN,
        HOLDRA,
        PELMARK,
        VANTOREL,
        DORVEX,
        HALCYRN,
        TRIVOSK,
        Quelm,
        ORBENTA,
        BrandCount
    };

    // The process-wide store over the user settings object, created on first
    // call. Creating it makes the output base folder and its "picture" and
    // "video" folders.
    static Model_Customize& instance();
    static void release();

    // A store over any settings object; the base folder is homePath/baseName.
    Model_Customize(QSettings& settings, const QString& homePath, const QString& baseName);
    Model_Customize(const Model_Customize&) = delete;
    Model_Customize& operator=(const Model_Customize&) = delete;

    static QString brandName(Brand brand);

    // Sets the flag of the first brand whose name equals companyName exactly,
    // clearing any flag of an earlier identification.
    void identifyBrand(const QString& companyName, const QString& version, bool alarmSound);
    bool isBrand(Brand brand) const;
    // Extensions that make a dropped path a recording, by brand.
    QStringList dropExtensions() const;
    QString companyName() const { return m_companyName; }
    QString version() const { return m_version; }
    bool alarmSound() const { return m_alarmSound; }

    QString basePath() const { return m_basePath; }
    QString defaultPicturePath() const { return m_picture.defaultValue(); }
    QString defaultVideoPath() const { return m_video.defaultValue(); }

    unsigned languageMask() const;
    unsigned languageCurrent() const;
    void setLanguageCurrent(unsigned value);
    int windowFlag() const;
    void setWindowFlag(int value);
    int playMode() const;
    void setPlayMode(int value);
    int saveFileFlag() const;
    void setSaveFileFlag(int value);
    int captureFormat() const;
    void setCaptureFormat(int value);
    int captureMode() const;
    void setCaptureMode(int value);
    int captureInterval() const;
    void setCaptureInterval(int value);
    int captureNumber() const;
    void setCaptureNumber(int value);
    QString picturePath() const;
    void setPicturePath(const QString& path);
    QString videoPath() const;
    void setVideoPath(const QString& path);

private:
    QSettings& m_settings;
    std::array<bool, BrandCount> m_brands{};
    QString m_companyName;
    QString m_version;
    bool m_alarmSound = false;
    QString m_basePath;

    CustomizeItem<unsigned> m_languageMask;
    CustomizeItem<unsigned> m_languageCurrent;
    CustomizeItem<int> m_windowFlag;
    CustomizeItem<int> m_playMode;
    CustomizeItem<int> m_saveFileFlag;
    CustomizeItem<int> m_captureFormat;
    CustomizeItem<int> m_captureMode;
    CustomizeItem<int> m_captureInterval;
    CustomizeItem<int> m_captureNumber;
    CustomizeItem<QString> m_picture;
    CustomizeItem<QString> m_video;
};

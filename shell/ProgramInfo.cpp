#include "ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ProgramInfo {

QString baseNameOf(const QString& programFilePath)
{
    return QFileInfo(programFilePath).completeBaseName();
}

QString settingsApplicationNameOf(const QString& baseName)
{
    return baseName + u'/' + baseName.toLower();
}

QString programBaseName()
{
    return baseNameOf(QCoreApplication::applicationFilePath());
}

QString programDir()
{
    return QDir(QCoreApplication::applicationDirPath()).absolutePath();
}

QString settingsApplicationName()
{
    return settingsApplicationNameOf(programBaseName());
}

}

#include "RecordFilesStore.h"

#include "Diagnostics.h"
#include "RecordFilesFormat.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

const QString& RecordFilesStore::fileName()
{
    static const QString name = QStringLiteral("recordfiles.dat");
    return name;
}

QString RecordFilesStore::defaultFolder()
{
    return QFileInfo(UserSettings::fileName()).absolutePath();
}

RecordFilesStore::RecordFilesStore(QString folder)
    : m_folder(std::move(folder))
{
}

QString RecordFilesStore::filePath() const
{
    return QDir(m_folder).filePath(fileName());
}

RecordFilesStore::LoadResult RecordFilesStore::load(int saveFileFlag) const
{
    LoadResult result;
    if (saveFileFlag == 0) {
        result.status = LoadStatus::Disabled;
        return result;
    }
    QFile file(filePath());
    if (!file.exists()) {
        result.status = LoadStatus::Missing;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        KV_DIAG() << "recordfiles open failed = " << file.errorString();
        result.status = LoadStatus::Unreadable;
        return result;
    }
    QByteArray data = file.read(RecordFilesFormat::kMaxFileBytes);
    if (file.error() != QFileDevice::NoError) {
        KV_DIAG() << "recordfiles read failed = " << file.errorString();
        result.status = LoadStatus::Unreadable;
        return result;
    }
    if (!file.atEnd()) {
        // The last line read is most likely cut short, so it is no path.
        result.cutAtSizeCap = true;
        const qsizetype whole = data.lastIndexOf('\n') + 1;
        if (whole < data.size()) {
            data.truncate(whole);
            ++result.skippedLines;
        }
    }
    RecordFilesFormat::Parsed parsed = RecordFilesFormat::parse(data);
    result.status = LoadStatus::Loaded;
    result.paths = std::move(parsed.paths);
    result.skippedLines += parsed.skippedLines;
    if (result.skippedLines > 0)
        KV_DIAG() << "recordfiles skipped lines = " << result.skippedLines;
    return result;
}

RecordFilesStore::SaveStatus RecordFilesStore::save(const QStringList& paths, int saveFileFlag) const
{
    if (saveFileFlag == 0)
        return SaveStatus::Disabled;
    qsizetype left = 0;
    const QByteArray bytes = RecordFilesFormat::encode(paths, &left);
    if (left > 0)
        KV_DIAG() << "recordfiles unstorable paths = " << left;

    if (!QDir().mkpath(m_folder)) {
        KV_DIAG() << "recordfiles folder failed = " << m_folder;
        return SaveStatus::Failed;
    }
    QSaveFile file(filePath());
    if (!file.open(QIODevice::WriteOnly)) {
        KV_DIAG() << "recordfiles save failed = " << file.errorString();
        return SaveStatus::Failed;
    }
    // A short write can still commit on some file systems, so the count is
    // checked here rather than left to commit().
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        KV_DIAG() << "recordfiles short write = " << written << " of " << bytes.size();
        file.cancelWriting();
        return SaveStatus::Failed;
    }
    if (!file.commit()) {
        KV_DIAG() << "recordfiles commit failed = " << file.errorString();
        return SaveStatus::Failed;
    }
    return SaveStatus::Saved;
}

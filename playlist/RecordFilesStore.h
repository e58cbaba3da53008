#pragma once

#include <QString>
#include <QStringList>

// The saved play list, "recordfiles.dat", in a fixed per-user folder so that the
// list is found again whichever folder the program was started from. Both
// directions honour the "save file" setting: with value 0 the file is neither
// read nor written.
class RecordFilesStore
{
public:
    enum class LoadStatus {
        Disabled,    // the setting is 0; the file was not looked at
        Missing,     // no file yet: an empty list, not an error
        Loaded,      // paths holds what the file lists
        Unreadable,  // the file exists but could not be read; paths is empty
    };

    struct LoadResult {
        LoadStatus status = LoadStatus::Missing;
        QStringList paths;
        // Lines left out by the caps on line length and entry count; a file
        // over its size cap also counts the cut-off last line.
        qsizetype skippedLines = 0;
        bool cutAtSizeCap = false;
    };

    enum class SaveStatus {
        Disabled,  // the setting is 0; any old file is left as it was
        Saved,
        Failed,    // nothing was replaced: the old file, if any, is intact
    };

    static const QString& fileName();

    // The folder of the per-user settings file.
    static QString defaultFolder();

    explicit RecordFilesStore(QString folder = defaultFolder());

    QString filePath() const;

    LoadResult load(int saveFileFlag) const;

    // Replaces the file as a whole: the new list is written to a temporary file
    // that takes the old one's place only once every byte is on disk.
    SaveStatus save(const QStringList& paths, int saveFileFlag) const;

private:
    QString m_folder;
};

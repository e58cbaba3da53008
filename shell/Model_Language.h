#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

// Interface texts by fixed index: the n-th element named "string" of a language
// file, at any depth, is text n. One process-wide table holds the current
// language; English, loaded once on demand, answers any index the current table
// lacks, so the interface never goes blank when a file is missing or short.
class Model_Language
{
public:
    // Process-wide table.
    static void Load(const QString& path);
    static void Reload(const QString& path);
    static QString Text(int index);
    static void Destroy();
    static Model_Language* instance();

    // The English file that answers missing indices; by default
    // "Language/ENU.xml" beside the program.
    static void setFallbackPath(const QString& path);

    Model_Language() = default;
    explicit Model_Language(const QString& path);

    // Replaces the texts with those of the file; an unreadable file leaves the
    // table empty, and malformed XML keeps what was read before the error.
    void fill(const QString& path);
    static QStringList parse(QIODevice& device);

    int count() const { return m_count; }
    // The text at index, or an empty string outside the table.
    QString text(int index) const;

private:
    int m_count = 0;
    QStringList m_texts;
};

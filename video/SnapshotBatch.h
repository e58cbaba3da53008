#pragma once

#include <QString>

// The results of one snapshot of every window: each window's picture and the
// picture of the whole screen, which come back one by one, and the single
// notice they end in.
class SnapshotBatch
{
public:
    // Notice kinds, as the notice popup knows them.
    static constexpr int kMessage = 0;
    static constexpr int kLink = 3;

    struct Notice {
        int kind = kMessage;
        QString text;
    };

    // expected: the windows taken plus the screen picture.
    explicit SnapshotBatch(int expected) : m_expected(expected) {}

    // One picture done; true when it was the last.
    bool add(const QString& path, bool written);
    bool complete() const { return m_done >= m_expected; }
    int written() const { return m_written; }

    // A link into the day's folder through the screen picture, or the first
    // window picture when the screen picture failed; "Capture Failed" when
    // nothing was written.
    Notice notice() const;
    void setScreenPath(const QString& path) { m_screenPath = path; }

private:
    int m_expected = 0;
    int m_done = 0;
    int m_written = 0;
    QString m_screenPath;
    bool m_screenWritten = false;
    QString m_firstWritten;
};
